2 pictures follow
/pictures/beach.jpg
/pictures/snow.bmp
/pictures/ignored.png
