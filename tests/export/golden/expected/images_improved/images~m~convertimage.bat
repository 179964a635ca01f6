ECHO OFF
CLS
ECHO ....................................
ECHO No-img = 1
"<source>/i_view64.exe" "<source>/logos/9.jpg" /convert="<images>/m/1.JPG"
"<source>/i_view64.exe" "<images>/m/1.JPG" /resize=(250,250) /aspectratio /convert="<images>/m/1-home_default.JPG"
"<source>/i_view64.exe" "<images>/m/1.JPG" /resize=(98,98) /aspectratio /convert="<images>/m/1-small_default.JPG"
ECHO No-img = 2
"<source>/i_view64.exe" "<source>/logos/100.jpg" /convert="<images>/m/6.JPG"
"<source>/i_view64.exe" "<images>/m/6.JPG" /resize=(250,250) /aspectratio /convert="<images>/m/6-home_default.JPG"
"<source>/i_view64.exe" "<images>/m/6.JPG" /resize=(98,98) /aspectratio /convert="<images>/m/6-small_default.JPG"
