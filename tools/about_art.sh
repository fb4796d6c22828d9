#!/usr/bin/env bash
# Draws the About box pictures: resources/about_title.bmp (the product's title picture with the version the
# titles show, major.minor of project(... VERSION ...) in CMakeLists.txt; 279 x 225, 8-bit palette) and
# resources/about_logo.bmp (the maker's logo, 279 x 225, 24-bit). Needs ImageMagick and the DejaVu fonts.
# The build does not draw them: run it after a change of the version (until then the native tree's test
# about-pictures fails). With --check it draws them into a fresh folder instead and exits 1 unless the
# committed pictures are the same, byte for byte.
#   tools/about_art.sh [--check]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
book=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

if [[ $# -gt 1 || ($# -eq 1 && $1 != --check) ]]; then
    echo "usage: $0 [--check]" >&2
    exit 2
fi
version=$(sed -nE 's/^project\(dorvelquinta VERSION ([0-9]+)\.([0-9]+)\..*/\1.\2/p' "$root/CMakeLists.txt")
if [[ -z $version ]]; then
    echo "about_art: no project(dorvelquinta VERSION ...) in $root/CMakeLists.txt" >&2
    exit 1
fi
pictures=$root/resources
if [[ $# -eq 1 ]]; then
    pictures=$(mktemp -d)
    trap 'rm -rf "$pictures"' EXIT
fi
cd "$pictures"

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

if [[ $# -eq 1 ]]; then
    status=0
    for picture in about_title.bmp about_logo.bmp; do
        if ! cmp -s "$picture" "$root/resources/$picture"; then
            echo "about_art: resources/$picture is not what about_art.sh draws for version $version: run it"
            status=1
        fi
    done
    [[ $status -ne 0 ]] || echo "about_art: the About box's pictures are drawn for version $version"
    exit "$status"
fi
