ECHO OFF
CLS
ECHO ....................................
ECHO No-img = 1
"<source>/i_view64.exe" "<source>/logos/9.jpg" /convert="<images>/m/1.jpg"
"<source>/i_view64.exe" "<images>/m/1.jpg" /resize=(250,250) /aspectratio /convert="<images>/m/1-home_default.jpg"
"<source>/i_view64.exe" "<images>/m/1.jpg" /resize=(98,98) /aspectratio /convert="<images>/m/1-small_default.jpg"
ECHO No-img = 2
"<source>/i_view64.exe" "<source>/logos/100.jpg" /convert="<images>/m/6.jpg"
"<source>/i_view64.exe" "<images>/m/6.jpg" /resize=(250,250) /aspectratio /convert="<images>/m/6-home_default.jpg"
"<source>/i_view64.exe" "<images>/m/6.jpg" /resize=(98,98) /aspectratio /convert="<images>/m/6-small_default.jpg"
