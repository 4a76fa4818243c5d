pictures
/pictures/beach.jpg
