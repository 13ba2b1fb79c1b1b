C:\Downloads
3
3
100
C:\Music
D:\Films, old; "best"
EOF!
mp3;wav;
C:\Music
avi;mpg;
C:\Videos
jpg;gif;
C:\Pictures
exe;zip;
C:\Programs
doc;txt;
C:\Documents
