#!/usr/bin/env bash
# Checks the release a Windows build made in <win-build-dir>/release: the zip holds exactly what ships
# (contents), each program in it carries the build's version information (and an exe its manifest) and imports
# only Windows' own DLLs (dorvelquinta.exe, filter.dll, hostsim.exe, kblcheck.exe, kblmake.exe, kblreport.exe).
# With --run the zip is also run under Wine from a fresh folder it is unpacked into: kblcheck.exe accepts every
# shipped layout (unpacked-kblcheck), kblreport.exe reports a record file named with a character outside GBK in
# a Chinese folder and writes its page under such a name (unpacked-kblreport), and the tester shows its main
# window (unpacked-tester). A check's name runs that check alone, as the Windows trees' ctest tests do; in a
# ctest Wine slot it runs with the slot's Wine prefix and an Xvfb of its own, as tests/e2e/run_under_wine.sh does.
# Prints one line per check, "package <platform> <check>: ok" or "... FAILED", and exits 1 when one failed.
#   scripts/check_package.sh <win-build-dir> [--run | <check>]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tests/e2e/wineprefix.sh
source "$root/tests/e2e/wineprefix.sh"
# shellcheck source=scripts/wine_window.sh
source "$root/scripts/wine_window.sh"

file_checks=(contents dorvelquinta.exe filter.dll hostsim.exe kblcheck.exe kblmake.exe kblreport.exe)
run_checks=(unpacked-kblcheck unpacked-kblreport unpacked-tester)
case ${2:-} in
    "") checks=("${file_checks[@]}") ;;
    --run) checks=("${file_checks[@]}" "${run_checks[@]}") ;;
    *) checks=("$2") ;;
esac
if [[ $# -lt 1 || $# -gt 2 || " ${file_checks[*]} ${run_checks[*]} " != *" ${checks[0]} "* ]]; then
    echo "usage: $0 <win-build-dir> [--run | <check>]" >&2
    echo "checks: ${file_checks[*]} ${run_checks[*]}" >&2
    exit 2
fi
build=$(realpath "$1")
start_timeout=600

if [[ ${checks[*]} == *unpacked-* ]]; then
    on_slot_display DORVELQUINTA_PACKAGE_XVFB "$0" "$@"
fi

failed=0
platform=
# report <check> <status>
report() {
    if [[ $2 -eq 0 ]]; then
        echo "package ${platform:+$platform }$1: ok"
    else
        echo "package ${platform:+$platform }$1: FAILED"
        failed=1
    fi
}

file_version=$(sed -nE 's/^#define DVQ_FILE_VERSION "(.*)"$/\1/p' "$build/generated/product_version.h")
shopt -s nullglob
zips=("$build"/release/dorvelquinta-"$file_version"-win*.zip)
shopt -u nullglob
if [[ ${#zips[@]} -ne 1 ]]; then
    echo "package: $build/release holds no single dorvelquinta-$file_version zip: build it first" >&2
    report zip 1
    exit 1
fi
zip=${zips[0]}
name=$(basename "$zip" .zip)
platform=${name##*-}

# What ships: the six programs, the settings, the guides as text and every layout with its picture, in one
# folder, and the keyboard-layout-editor files of the layouts kblmake makes in its sources/.
check_contents() {
    local layout expected=("$name/" "$name/dorvelquinta.exe" "$name/filter.dll" "$name/hostsim.exe"
        "$name/kblcheck.exe" "$name/kblmake.exe" "$name/kblreport.exe" "$name/dorvelquinta.ini" "$name/guide.txt"
        "$name/host-link.txt" "$name/sources/")
    for layout in "$root"/keyboards/*.kbl "$root"/keyboards/*.bmp; do
        expected+=("$name/$(basename "$layout")")
    done
    for layout in "$root"/keyboards/sources/*.json; do
        expected+=("$name/sources/$(basename "$layout")")
    done
    diff <(printf '%s\n' "${expected[@]}" | sort) <(cmake -E tar tf "$zip" | sort) >&2
}

unpacked=$(mktemp -d "${TMPDIR:-/tmp}/dorvelquinta-package.XXXXXX")
wine_started=false
finish() {
    if [[ $wine_started == true ]]; then
        wineserver -k 2>/dev/null || true
    fi
    rm -rf "$unpacked"
}
trap finish EXIT
(cd "$unpacked" && cmake -E tar xf "$zip")
folder=$unpacked/$name
case $(windows_program_machine "$folder/dorvelquinta.exe") in
    014c) toolchain_prefix=i686-w64-mingw32- ;;
    *) toolchain_prefix=x86_64-w64-mingw32- ;;
esac

# Resources and imports of one program: version information of this build, the manifest an exe needs, and
# nothing imported beyond the DLLs every Windows has (WinHTTP, the line link's HTTP client, among them).
check_program() {
    local file=$folder/$1 resources imports
    resources=$("${toolchain_prefix}windres" -J coff -O rc -i "$file" 2>/dev/null) || return 1
    grep -q "VALUE \"FileVersion\", \"$file_version\"" <<<"$resources" || { echo "$1: no version $file_version" >&2; return 1; }
    if [[ $1 == *.exe ]]; then
        for needed in 'level="asInvoker"' 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' \
            '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>'; do
            grep -qaF "$needed" "$file" || { echo "$1: manifest lacks $needed" >&2; return 1; }
        done
    fi
    # The yield report takes its paths and texts in UTF-8: its manifest makes UTF-8 its ANSI code page.
    if [[ $1 == kblreport.exe ]]; then
        grep -qaF '<activeCodePage xmlns="http://schemas.microsoft.com/SMI/2019/WindowsSettings">UTF-8</activeCodePage>' \
            "$file" || { echo "$1: manifest lacks the UTF-8 code page" >&2; return 1; }
    fi
    imports=$("${toolchain_prefix}objdump" -p "$file" | sed -nE 's/^\s*DLL Name: (.*)$/\1/p' |
        grep -viE '^(kernel32|user32|gdi32|comdlg32|msvcrt|winhttp)\.dll$' || true)
    [[ -z $imports ]] || { echo "$1 imports $imports" >&2; return 1; }
    # The C runtime's time functions of a 32-bit program count seconds in 32 bits and fail from 19 January
    # 2038: a shipped program takes the time from Windows instead.
    if [[ $platform == win32 ]]; then
        imports=$("${toolchain_prefix}objdump" -p "$file" | awk '$1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print $3 }' |
            grep -xE '_?(time|localtime|gmtime|mktime|ctime|difftime|ftime)(32)?|_(time|localtime|gmtime|mktime|ctime|difftime|ftime)32' || true)
        [[ -z $imports ]] || { echo "$1 imports 32-bit time functions:" $imports >&2; return 1; }
    fi
}

# Starts Wine for the unpacked programs, once; the Wine server is kept up until the checks end.
start_wine() {
    [[ $wine_started == false ]] || return 0
    loader=$(choose_wine_loader "$folder/dorvelquinta.exe")
    use_wine_environment "$(slot_prefix "${WINEPREFIX:-$build/wineprefix}")"
    make_wine_prefix "$WINEPREFIX" "$loader"
    wineserver -p
    wine_started=true
}

check_unpacked_kblcheck() {
    start_wine
    (cd "$folder" && "$loader" kblcheck.exe .) >&2
}

# A shift's record in 记录/三号线-ğ.csv, a Chinese operator and reason, ';' failed on as the record encodes it:
# the report reads it, finds the layout beside the programs and writes 报告-ğ.html. The ğ, which GBK lacks,
# reaches the program only through its UTF-8 code page.
check_unpacked_kblreport() {
    local work=$unpacked/kblreport status=0
    start_wine
    mkdir -p "$work/记录"
    {
        printf '\xEF\xBB\xBFtime,computer,operator,product,batch,serial,version,layout,verdict,reason,'
        printf 'reason_code,test_seconds,required_keys,tested_keys,untested_keys,chatter_keys,max_keys_held\r\n'
        printf '2026-12-07T08:00:05+08:00,BENCH-7,李伟,KB-104,B1,SN1,A2,US.kbl,PASS,,,31.5,104,104,,,6\r\n'
        printf '2026-12-07T08:01:10+08:00,BENCH-7,李伟,KB-104,B1,SN2,A2,US.kbl,FAIL,按键损坏,key_broken,12.0,104,'
        printf '103,%%3B,,2\r\n'
    } >"$work/记录/三号线-ğ.csv"
    (cd "$work" && "$loader" "$folder/kblreport.exe" --by operator --html 报告-ğ.html --layouts "$folder" \
        '记录\三号线-ğ.csv' | tr -d '\r') >"$work/summary.txt" || status=$?
    cat "$work/summary.txt" >&2
    [[ $status -eq 0 ]] || return "$status"
    grep -q '^Keyboards: 2 tested, 1 passed, 1 failed, yield 50.0 %$' "$work/summary.txt" &&
        grep -q '  李伟$' "$work/summary.txt" && grep -q '^       1  US.kbl ;$' "$work/summary.txt" &&
        grep -q 'data-layout="US.kbl" data-count="failed-on" data-heat-keys="1"' "$work/报告-ğ.html"
}

check_unpacked_tester() {
    local tester status=0
    start_wine
    (cd "$folder" && exec "$loader" dorvelquinta.exe) &
    tester=$!
    wait_for_window "$(tester_title "$build")" "$tester" "$start_timeout" >/dev/null || status=$?
    wineserver -k 2>/dev/null || true
    wait "$tester" 2>/dev/null || true
    wine_started=false
    return "$status"
}

for check in "${checks[@]}"; do
    status=0
    case $check in
        contents) check_contents || status=$? ;;
        unpacked-kblcheck) check_unpacked_kblcheck || status=$? ;;
        unpacked-kblreport) check_unpacked_kblreport || status=$? ;;
        unpacked-tester) check_unpacked_tester || status=$? ;;
        *) check_program "$check" || status=$? ;;
    esac
    report "$check" "$status"
done
exit "$failed"
