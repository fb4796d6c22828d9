#!/usr/bin/env bash
# Draws the About box pictures: resources/about_title.bmp (the product's title picture with the version the
# titles show, major.minor of project(... VERSION ...) in CMakeLists.txt; 279 x 225, 8-bit palette) and
# resources/about_logo.bmp (the maker's logo, 279 x 225, 24-bit). Needs ImageMagick and the DejaVu fonts.
# The build does not run it: run it after a change of the version.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
book=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

version=$(sed -nE 's/^project\(dorvelquinta VERSION ([0-9]+)\.([0-9]+)\..*/\1.\2/p' "$root/CMakeLists.txt")
if [[ -z $version ]]; then
    echo "about_art: no project(dorvelquinta VERSION ...) in $root/CMakeLists.txt" >&2
    exit 1
fi
cd "$root/resources"

convert -size 279x225 gradient:'#1d3557-#457b9d' \
    -fill '#f1faee' -stroke '#a8dadc' -strokewidth 2 \
    -draw "roundrectangle 40,40 90,90 8,8" -draw "roundrectangle 100,40 150,90 8,8" \
    -draw "roundrectangle 160,40 238,90 8,8" \
    -stroke none -fill '#1d3557' -font "$bold" -pointsize 26 -draw "text 55,75 'D'" -draw "text 115,75 'Q'" \
    -pointsize 18 -draw "text 172,72 'Enter'" \
    -fill '#f1faee' -pointsize 28 -gravity south -annotate +0+60 'Dorvelquinta' \
    -font "$book" -pointsize 13 -annotate +0+38 "Keyboard tester $version" \
    -colors 200 -type Palette BMP3:about_title.bmp

convert -size 279x225 xc:'#ffffff' -fill '#e63946' -draw "circle 139,90 139,30" \
    -fill white -font "$bold" -pointsize 54 -gravity center -annotate +0-22 'DQ' \
    -fill '#1d3557' -pointsize 20 -annotate +0+62 'Dorvelquinta Works' \
    -font "$book" -pointsize 12 -annotate +0+88 'Service bench and line test' \
    -type TrueColor BMP3:about_logo.bmp
