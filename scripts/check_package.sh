#!/usr/bin/env bash
# Checks the release a Windows build made in <win-build-dir>/release: the zip holds exactly what ships, each
# program in it carries the build's version information (and an exe its manifest) and imports only Windows'
# own DLLs. With --run the zip is unpacked into a fresh folder and run from there under Wine: kblcheck.exe
# accepts every shipped layout and the tester shows its main window.
# Prints one line per check, "package <platform> <check>: ok" or "... FAILED", and exits 1 when one failed.
#   scripts/check_package.sh <win-build-dir> [--run]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tests/e2e/wineprefix.sh
source "$root/tests/e2e/wineprefix.sh"
# shellcheck source=scripts/wine_window.sh
source "$root/scripts/wine_window.sh"

if [[ $# -lt 1 || $# -gt 2 || ( $# -eq 2 && $2 != --run ) ]]; then
    echo "usage: $0 <win-build-dir> [--run]" >&2
    exit 2
fi
build=$(realpath "$1")
run=${2:-}
start_timeout=600

if [[ -n $run ]]; then
    on_display DORVELQUINTA_PACKAGE_XVFB "$0" "$@"
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

# What ships: the five programs, the guides as text and every layout with its picture, in one folder.
expected=("$name/" "$name/dorvelquinta.exe" "$name/filter.dll" "$name/hostsim.exe" "$name/kblcheck.exe"
    "$name/kblmake.exe" "$name/guide.txt" "$name/host-link.txt")
for layout in "$root"/keyboards/*.kbl "$root"/keyboards/*.bmp; do
    expected+=("$name/$(basename "$layout")")
done
status=0
diff <(printf '%s\n' "${expected[@]}" | sort) <(cmake -E tar tf "$zip" | sort) >&2 || status=$?
report contents "$status"

unpacked=$(mktemp -d "${TMPDIR:-/tmp}/dorvelquinta-package.XXXXXX")
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip")
folder=$unpacked/$name
case $(windows_program_machine "$folder/dorvelquinta.exe") in
    014c) toolchain_prefix=i686-w64-mingw32- ;;
    *) toolchain_prefix=x86_64-w64-mingw32- ;;
esac

# Resources and imports of one program: version information of this build, the manifest an exe needs, and
# nothing imported beyond the DLLs every Windows has.
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
    imports=$("${toolchain_prefix}objdump" -p "$file" | sed -nE 's/^\s*DLL Name: (.*)$/\1/p' |
        grep -viE '^(kernel32|user32|gdi32|comdlg32|msvcrt)\.dll$' || true)
    [[ -z $imports ]] || { echo "$1 imports $imports" >&2; return 1; }
}
for program in dorvelquinta.exe filter.dll hostsim.exe kblcheck.exe kblmake.exe; do
    status=0
    check_program "$program" || status=$?
    report "$program" "$status"
done

if [[ -n $run ]]; then
    loader=$(choose_wine_loader "$folder/dorvelquinta.exe")
    export WINEPREFIX=${WINEPREFIX:-$build/wineprefix} WINEDEBUG=-all LANG=zh_CN.UTF-8 \
        WINEDLLOVERRIDES="mscoree,mshtml="
    make_wine_prefix "$WINEPREFIX" "$loader"

    status=0
    (cd "$folder" && "$loader" kblcheck.exe .) >&2 || status=$?
    report "unpacked kblcheck" "$status"

    (cd "$folder" && exec "$loader" dorvelquinta.exe) &
    tester=$!
    status=0
    wait_for_window "$(tester_title "$build")" "$tester" "$start_timeout" >/dev/null || status=$?
    wineserver -k 2>/dev/null || true
    wait "$tester" 2>/dev/null || true
    report "unpacked tester" "$status"
fi
exit "$failed"
