2 words
/x/ÿþ.jpg
foobar

extra
