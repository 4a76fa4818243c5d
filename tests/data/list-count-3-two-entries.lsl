3
/pictures/beach.jpg
/pictures/snow.bmp
