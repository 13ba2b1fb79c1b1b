C:\Téléchargements
3
3
100
D:\Musique été
EOF!
mp3;
C:\Música
avi;
C:\Vidéo €
