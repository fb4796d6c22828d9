#!/usr/bin/env bash
# Runs the end-to-end cases: e2e_driver.exe of a Windows build plays the operator against that build's
# dorvelquinta.exe under Wine, on an X display (Xvfb unless DISPLAY is usable). Exits with the driver's code.
#   tests/e2e/run.sh <win-build-dir> <scratch-dir> [case-name-substring]
# WINEPREFIX chooses the Wine prefix; by default <win-build-dir>/wineprefix, made on first use.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/wineprefix.sh
source "$here/wineprefix.sh"
# shellcheck source=scripts/wine_window.sh
source "$here/../../scripts/wine_window.sh"

if [[ $# -lt 2 || $# -gt 3 ]]; then
    echo "usage: $0 <win-build-dir> <scratch-dir> [case-name-substring]" >&2
    exit 2
fi

on_display DORVELQUINTA_E2E_XVFB "$0" "$@"

build=$(realpath "$1")
mkdir -p "$2"
scratch=$(realpath "$2")
driver=$build/tests/e2e/e2e_driver.exe
if [[ ! -f $driver || ! -f $build/dorvelquinta.exe ]]; then
    echo "e2e: $build holds no dorvelquinta.exe and tests/e2e/e2e_driver.exe: build it first" >&2
    exit 2
fi
loader=$(choose_wine_loader "$driver")
use_wine_environment "${WINEPREFIX:-$build/wineprefix}" "winhlp32.exe=d"
make_wine_prefix "$WINEPREFIX" "$loader"

# Wine's drive Z: is the Linux root.
windows_path() {
    printf 'Z:%s' "${1//\//\\}"
}

arguments=("$(windows_path "$build/dorvelquinta.exe")" "$(windows_path "$scratch")")
if [[ $# -eq 3 ]]; then
    arguments+=("$3")
fi

wineserver -p
status=0
"$loader" "$driver" "${arguments[@]}" || status=$?
wineserver -k || true
exit "$status"
