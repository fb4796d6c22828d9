#!/usr/bin/env bash
# Runs a Windows test program of a build under Wine on an X display (Xvfb unless DISPLAY is usable), with the
# help viewer off, and exits with the program's code. The Wine server is kept up for the run and ended after
# it: nothing of Wine outlives the run, so ctest, which waits for every process holding a test's output, sees
# the test end with the program. A test that ctest runs in one of its two Wine slots has a prefix and an Xvfb
# of its slot's own, so that two run at a time (tests/e2e/wine_slots.json).
#   tests/e2e/run_under_wine.sh <win-build-dir> <program> [arguments...]
# WINEPREFIX chooses the Wine prefix; by default <win-build-dir>/wineprefix, made on first use; the second
# slot's is the same path with "-1" after it.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/wineprefix.sh
source "$here/wineprefix.sh"
# shellcheck source=scripts/wine_window.sh
source "$here/../../scripts/wine_window.sh"

if [[ $# -lt 2 ]]; then
    echo "usage: $0 <win-build-dir> <program> [arguments...]" >&2
    exit 2
fi

on_slot_display DORVELQUINTA_WINE_XVFB "$0" "$@"

build=$(realpath "$1")
program=$2
shift 2
loader=$(choose_wine_loader "$program")
use_wine_environment "$(slot_prefix "${WINEPREFIX:-$build/wineprefix}")" "winhlp32.exe=d"
make_wine_prefix "$WINEPREFIX" "$loader"

wineserver -p
status=0
"$loader" "$program" "$@" || status=$?
wineserver -k || true
exit "$status"
