C:\Downloads
3
