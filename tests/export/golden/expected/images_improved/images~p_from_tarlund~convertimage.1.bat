ECHO OFF
CLS
ECHO ....................................
ECHO No-img = 1
COPY "<source>/pictures/9/9.jpg" "<images>/p_from_tarlund/9/9.JPG"
ECHO No-img = 2
COPY "<source>/pictures/9/9.1.jpg" "<images>/p_from_tarlund/9/9.1.JPG"
