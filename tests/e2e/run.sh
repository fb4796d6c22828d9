#!/usr/bin/env bash
# Runs the end-to-end cases: e2e_driver.exe of a Windows build plays the operator against that build's
# dorvelquinta.exe under Wine (tests/e2e/run_under_wine.sh). Exits with the driver's code. A case's name
# runs that case alone, any other text every case whose name holds it, nothing every case; --list prints the
# cases' names, one a line.
#   tests/e2e/run.sh <win-build-dir> <scratch-dir> [case name, or part of case names]
#   tests/e2e/run.sh <win-build-dir> --list
# WINEPREFIX chooses the Wine prefix; by default <win-build-dir>/wineprefix, made on first use (ctest's second
# Wine slot adds "-1" to it).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [[ $# -lt 2 || $# -gt 3 || ($2 == --list && $# -ne 2) ]]; then
    echo "usage: $0 <win-build-dir> <scratch-dir> [case name, or part of case names]" >&2
    echo "       $0 <win-build-dir> --list" >&2
    exit 2
fi

build=$(realpath "$1")
driver=$build/tests/e2e/e2e_driver.exe
if [[ ! -f $driver || ! -f $build/dorvelquinta.exe ]]; then
    echo "e2e: $build holds no dorvelquinta.exe and tests/e2e/e2e_driver.exe: build it first" >&2
    exit 2
fi
if [[ $2 == --list ]]; then
    exec bash "$here/run_under_wine.sh" "$build" "$driver" --list
fi

mkdir -p "$2"
scratch=$(realpath "$2")

# Wine's drive Z: is the Linux root.
windows_path() {
    printf 'Z:%s' "${1//\//\\}"
}

arguments=("$(windows_path "$build/dorvelquinta.exe")" "$(windows_path "$scratch")")
if [[ $# -eq 3 ]]; then
    arguments+=("$3")
fi
exec bash "$here/run_under_wine.sh" "$build" "$driver" "${arguments[@]}"
