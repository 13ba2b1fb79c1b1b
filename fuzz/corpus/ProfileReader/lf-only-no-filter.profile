C:\Downloads
4
2
250
EOF!
