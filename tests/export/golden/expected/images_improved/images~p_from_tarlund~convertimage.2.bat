ECHO OFF
CLS
ECHO ....................................
ECHO No-img = 3
COPY "<source>/pictures/10/10.jpg" "<images>/p_from_tarlund/10/10.JPG"
ECHO No-img = 4
COPY "<source>/pictures/10/10.1.jpg" "<images>/p_from_tarlund/10/10.1.JPG"
ECHO No-img = 5
COPY "<source>/pictures/10/10.2.jpg" "<images>/p_from_tarlund/10/10.2.JPG"
ECHO No-img = 6
COPY "<source>/pictures/10/10.3.jpg" "<images>/p_from_tarlund/10/10.3.JPG"
ECHO No-img = 7
COPY "<source>/pictures/10/10.4.jpg" "<images>/p_from_tarlund/10/10.4.JPG"
ECHO No-img = 8
COPY "<source>/pictures/10/10.5.jpg" "<images>/p_from_tarlund/10/10.5.JPG"
ECHO No-img = 9
COPY "<source>/pictures/10/10.6.jpg" "<images>/p_from_tarlund/10/10.6.JPG"
ECHO No-img = 10
COPY "<source>/pictures/10/10.7.jpg" "<images>/p_from_tarlund/10/10.7.JPG"
ECHO No-img = 11
COPY "<source>/pictures/10/10.8.jpg" "<images>/p_from_tarlund/10/10.8.JPG"
ECHO No-img = 12
COPY "<source>/pictures/10/10.9.jpg" "<images>/p_from_tarlund/10/10.9.JPG"
ECHO No-img = 13
COPY "<source>/pictures/10/10.10.jpg" "<images>/p_from_tarlund/10/10.10.JPG"
