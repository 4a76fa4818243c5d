3
/home/ann/a.jpg
/home/ann/b.png
