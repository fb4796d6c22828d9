#!/usr/bin/env bash
# The report page in a real browser. kblreport reports a shift of 120 keyboards on the shipped US and UK
# layouts (a Chinese operator and Chinese reasons, the ';' key left untested, named as records wrote it before
# and since its caption is encoded, chattering keys, one bad row),
# and headless Chromium loads the page it writes, from a fresh profile. The page must load whole from itself
# alone: Chromium logs nothing from it, its DOM holds the yield chart, the Pareto chart and a heat map per
# layout (failed on, chattered) with the keys expected and the Chinese texts intact, nothing in it points
# outside it (the chatter map draws the picture of the map above it by its id), and its
# screenshot shows a keyboard picture.
#   browser_check.sh <kblreport> <layouts-dir> <work-dir>
# Leaves records.csv, page.html, dom.html and page.png in <work-dir>; prints what is wrong and exits 1 when
# anything is.
set -euo pipefail
if [[ $# -ne 3 ]]; then
    echo "usage: $0 <kblreport> <layouts-dir> <work-dir>" >&2
    exit 2
fi
kblreport=$(realpath "$1")
layouts=$(realpath "$2")
work=$(realpath -m "$3")
rm -rf "$work"
mkdir -p "$work"
cd "$work"

# One keyboard every five minutes from 08:00: every fourth on UK, every seventh failed with Esc and ';' (US,
# as "Esc;;" then "Esc;%3B") or A and S (UK) left untested, every eleventh with a chattering key; then a row
# with a thirteenth month.
{
    printf '\xEF\xBB\xBFtime,computer,operator,product,batch,serial,version,layout,verdict,reason,reason_code,'
    printf 'test_seconds,required_keys,tested_keys,untested_keys,chatter_keys,max_keys_held\r\n'
    for ((i = 0; i < 120; i++)); do
        time=$(printf '2026-12-07T%02d:%02d:%02d+08:00' $((8 + i / 12)) $((i % 12 * 5)) $((i % 60)))
        layout=US.kbl
        ((i % 4 != 0)) || layout=UK.kbl
        verdict=PASS reason= code= untested= chatter=
        if ((i % 7 == 3)); then
            verdict=FAIL
            case $((i / 7 % 4)) in
                1) reason=整行损坏 code=row_broken ;;
                2) reason=其他原因 code=other ;;
                *) reason=按键损坏 code=key_broken ;;
            esac
            untested='A;S'
            [[ $layout == UK.kbl ]] || untested='Esc;;'
            [[ $layout == UK.kbl || i -lt 60 ]] || untested='Esc;%3B'
        fi
        if ((i % 11 == 5)); then
            chatter='A:6'
            [[ $layout == UK.kbl ]] || chatter='Space:4'
        fi
        operator=李伟
        ((i < 60)) || operator='Wang, Fang'
        printf '%s,BENCH-7,"%s",KB-104,B2026-49,SN%05d,A2,%s,%s,%s,%s,%d.%d,104,104,%s,%s,6\r\n' "$time" \
            "$operator" "$i" "$layout" "$verdict" "$reason" "$code" $((28 + i % 17)) $((i % 10)) "$untested" \
            "$chatter"
    done
    printf '2026-13-07T18:00:00+08:00,BENCH-7,x,KB-104,B1,SN9,A2,US.kbl,PASS,,,30.0,104,104,,,6\r\n'
} >records.csv

failed=0
# expect <what> <test command...>
expect() {
    local what=$1
    shift
    if ! "$@"; then
        echo "browser check: $what" >&2
        failed=1
    fi
}
# count <pattern> <file>: how many times the extended regular expression matches in the file.
count() {
    grep -oE "$1" "$2" | wc -l
}

expect "kblreport reports" "$kblreport" --by operator --html page.html --layouts "$layouts" records.csv >summary.txt
expect "the summary counts the shift" grep -q '^Keyboards: 120 tested, 103 passed, 17 failed, yield 85.8 %$' \
    summary.txt
expect "the summary lists the bad row" grep -q '^  records.csv:122: bad time "2026-13-07T18:00:00+08:00"$' \
    summary.txt

chromium_flags=(--headless --no-sandbox --disable-gpu --disable-quic --no-first-run
    --disable-background-networking --disable-component-update --disable-sync --enable-logging=stderr --v=0)
# chromium <what to do>: runs Chromium on the page from a fresh profile; its log goes to chromium.log.
chromium() {
    local profile status=0
    profile=$(mktemp -d "$work/profile.XXXXXX")
    command chromium "${chromium_flags[@]}" --user-data-dir="$profile" "$@" "file://$work/page.html" \
        2>>chromium.log || status=$?
    rm -rf "$profile"
    return "$status"
}
expect "Chromium loads the page" chromium --dump-dom >dom.html
expect "Chromium renders the page" chromium --screenshot="$work/page.png" --window-size=1280,2000

expect "Chromium logs nothing from the page" test "$(count 'CONSOLE' chromium.log)" -eq 0
expect "the whole page is in the DOM" grep -q '</html>' dom.html
expect "one yield chart of ten hours" test "$(count '<svg id="yield-chart"' dom.html)" -eq 1
expect "one Pareto chart" test "$(count '<svg id="pareto-chart"' dom.html)" -eq 1
expect "ten hours and three reasons in bars" test "$(count '<g class="bar">' dom.html)" -eq 13
expect "the UK failed-on map colours A and S" \
    grep -q 'data-layout="UK.kbl" data-count="failed-on" data-heat-keys="2"' dom.html
expect "the UK chatter map colours A" grep -q 'data-layout="UK.kbl" data-count="chattered" data-heat-keys="1"' \
    dom.html
expect "the US failed-on map colours Esc and ;" \
    grep -q 'data-layout="US.kbl" data-count="failed-on" data-heat-keys="2"' dom.html
expect "the US chatter map colours Space" \
    grep -q 'data-layout="US.kbl" data-count="chattered" data-heat-keys="1"' dom.html
expect "six keys coloured in all" test "$(count '<rect class="heat"' dom.html)" -eq 6
expect "both pictures embedded once" test "$(count '<image [^>]*href="data:image/bmp;base64,' dom.html)" -eq 2
expect "each chatter map draws its picture again" test "$(count '<use href="#picture-[01]"' dom.html)" -eq 2
expect "nothing points outside the page" \
    test "$(grep -oE '(src|href)="[^"]*"' dom.html | grep -vcE '="(data:|#picture-)')" -eq 0
expect "Chinese reasons read as UTF-8" grep -q '按键损坏' dom.html
expect "Chinese names read as UTF-8" grep -q '<td>李伟</td>' dom.html
expect "the bad row is listed" grep -q 'records.csv:122: bad time' dom.html

expect "the screenshot is 1280 x 2000" test "$(identify -format '%wx%h' page.png 2>/dev/null)" = 1280x2000
# The keys' dark frame (#33373E) covers 57,176 pixels of a shipped picture: drawn, the picture shows.
frame_pixels=$(convert page.png -format %c histogram:info:- | sed -nE 's/^ *([0-9]+):.*#33373E.*/\1/p')
expect "the screenshot shows a keyboard picture" test "${frame_pixels:-0}" -gt 40000

if ((failed)); then
    exit 1
fi
echo "browser check: the page loads in Chromium with its charts, heat maps and pictures"
