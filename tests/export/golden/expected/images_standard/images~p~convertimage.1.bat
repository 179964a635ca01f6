ECHO OFF
CLS
ECHO ....................................
ECHO No-img = 1
"<source>/i_view64.exe" "<source>/pictures/9/9.jpg" /convert="<images>/p/1/1.jpg"
"<source>/i_view64.exe" "<images>/p/1/1.jpg" /resize=(250,250) /aspectratio /convert="<images>/p/1/1-home_default.jpg"
"<source>/i_view64.exe" "<images>/p/1/1.jpg" /resize=(98,98) /aspectratio /convert="<images>/p/1/1-small_default.jpg"
ECHO No-img = 2
"<source>/i_view64.exe" "<source>/pictures/9/9.1.jpg" /convert="<images>/p/2/2.jpg"
"<source>/i_view64.exe" "<images>/p/2/2.jpg" /resize=(250,250) /aspectratio /convert="<images>/p/2/2-home_default.jpg"
"<source>/i_view64.exe" "<images>/p/2/2.jpg" /resize=(98,98) /aspectratio /convert="<images>/p/2/2-small_default.jpg"
