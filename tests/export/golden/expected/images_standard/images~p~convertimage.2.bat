ECHO OFF
CLS
ECHO ....................................
ECHO No-img = 3
"<source>/i_view64.exe" "<source>/pictures/10/10.jpg" /convert="<images>/p/3/3.jpg"
"<source>/i_view64.exe" "<images>/p/3/3.jpg" /resize=(250,250) /aspectratio /convert="<images>/p/3/3-home_default.jpg"
"<source>/i_view64.exe" "<images>/p/3/3.jpg" /resize=(98,98) /aspectratio /convert="<images>/p/3/3-small_default.jpg"
ECHO No-img = 4
"<source>/i_view64.exe" "<source>/pictures/10/10.1.jpg" /convert="<images>/p/4/4.jpg"
"<source>/i_view64.exe" "<images>/p/4/4.jpg" /resize=(250,250) /aspectratio /convert="<images>/p/4/4-home_default.jpg"
"<source>/i_view64.exe" "<images>/p/4/4.jpg" /resize=(98,98) /aspectratio /convert="<images>/p/4/4-small_default.jpg"
ECHO No-img = 5
"<source>/i_view64.exe" "<source>/pictures/10/10.2.jpg" /convert="<images>/p/5/5.jpg"
"<source>/i_view64.exe" "<images>/p/5/5.jpg" /resize=(250,250) /aspectratio /convert="<images>/p/5/5-home_default.jpg"
"<source>/i_view64.exe" "<images>/p/5/5.jpg" /resize=(98,98) /aspectratio /convert="<images>/p/5/5-small_default.jpg"
ECHO No-img = 6
"<source>/i_view64.exe" "<source>/pictures/10/10.3.jpg" /convert="<images>/p/6/6.jpg"
"<source>/i_view64.exe" "<images>/p/6/6.jpg" /resize=(250,250) /aspectratio /convert="<images>/p/6/6-home_default.jpg"
"<source>/i_view64.exe" "<images>/p/6/6.jpg" /resize=(98,98) /aspectratio /convert="<images>/p/6/6-small_default.jpg"
ECHO No-img = 7
"<source>/i_view64.exe" "<source>/pictures/10/10.4.jpg" /convert="<images>/p/7/7.jpg"
"<source>/i_view64.exe" "<images>/p/7/7.jpg" /resize=(250,250) /aspectratio /convert="<images>/p/7/7-home_default.jpg"
"<source>/i_view64.exe" "<images>/p/7/7.jpg" /resize=(98,98) /aspectratio /convert="<images>/p/7/7-small_default.jpg"
ECHO No-img = 8
"<source>/i_view64.exe" "<source>/pictures/10/10.5.jpg" /convert="<images>/p/8/8.jpg"
"<source>/i_view64.exe" "<images>/p/8/8.jpg" /resize=(250,250) /aspectratio /convert="<images>/p/8/8-home_default.jpg"
"<source>/i_view64.exe" "<images>/p/8/8.jpg" /resize=(98,98) /aspectratio /convert="<images>/p/8/8-small_default.jpg"
ECHO No-img = 9
"<source>/i_view64.exe" "<source>/pictures/10/10.6.jpg" /convert="<images>/p/9/9.jpg"
"<source>/i_view64.exe" "<images>/p/9/9.jpg" /resize=(250,250) /aspectratio /convert="<images>/p/9/9-home_default.jpg"
"<source>/i_view64.exe" "<images>/p/9/9.jpg" /resize=(98,98) /aspectratio /convert="<images>/p/9/9-small_default.jpg"
ECHO No-img = 10
"<source>/i_view64.exe" "<source>/pictures/10/10.7.jpg" /convert="<images>/p/1/0/10.jpg"
"<source>/i_view64.exe" "<images>/p/1/0/10.jpg" /resize=(250,250) /aspectratio /convert="<images>/p/1/0/10-home_default.jpg"
"<source>/i_view64.exe" "<images>/p/1/0/10.jpg" /resize=(98,98) /aspectratio /convert="<images>/p/1/0/10-small_default.jpg"
ECHO No-img = 11
"<source>/i_view64.exe" "<source>/pictures/10/10.8.jpg" /convert="<images>/p/1/1/11.jpg"
"<source>/i_view64.exe" "<images>/p/1/1/11.jpg" /resize=(250,250) /aspectratio /convert="<images>/p/1/1/11-home_default.jpg"
"<source>/i_view64.exe" "<images>/p/1/1/11.jpg" /resize=(98,98) /aspectratio /convert="<images>/p/1/1/11-small_default.jpg"
ECHO No-img = 12
"<source>/i_view64.exe" "<source>/pictures/10/10.9.jpg" /convert="<images>/p/1/2/12.jpg"
"<source>/i_view64.exe" "<images>/p/1/2/12.jpg" /resize=(250,250) /aspectratio /convert="<images>/p/1/2/12-home_default.jpg"
"<source>/i_view64.exe" "<images>/p/1/2/12.jpg" /resize=(98,98) /aspectratio /convert="<images>/p/1/2/12-small_default.jpg"
ECHO No-img = 13
"<source>/i_view64.exe" "<source>/pictures/10/10.10.jpg" /convert="<images>/p/1/3/13.jpg"
"<source>/i_view64.exe" "<images>/p/1/3/13.jpg" /resize=(250,250) /aspectratio /convert="<images>/p/1/3/13-home_default.jpg"
"<source>/i_view64.exe" "<images>/p/1/3/13.jpg" /resize=(98,98) /aspectratio /convert="<images>/p/1/3/13-small_default.jpg"
