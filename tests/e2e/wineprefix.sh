#!/usr/bin/env bash
# The Wine prefix for the tester's tests, made once: wineboot, windows without window management (else every
# close waits 2 s) and a Chinese font for the SimSun the dialogs ask for. A prefix made before is left alone.
#   tests/e2e/wineprefix.sh <prefix-dir> [loader]   makes the prefix
#   source tests/e2e/wineprefix.sh                  defines choose_wine_loader, use_wine_environment,
#                                                   make_wine_prefix, wine_slot and slot_prefix
# Where the kernel runs no 32-bit programs, Wine's 64-bit loader runs the 64-bit builds.

# Prints the machine of a Windows program from its PE header: 014c (x86) or 8664 (x86-64).
windows_program_machine() {
    local header
    header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' '
}

# Prints the command that starts Windows programs: Wine's 64-bit loader for a 64-bit <program>, else wine.
# Without a <program>: wine where it starts, else Wine's 64-bit loader.
choose_wine_loader() {
    local wine64=/usr/lib/wine/wine64
    if [[ $# -eq 1 && $(windows_program_machine "$1") == 8664 && -x $wine64 ]]; then
        echo "$wine64"
    elif [[ $# -eq 1 ]] || wine --version >/dev/null 2>&1 || [[ ! -x $wine64 ]]; then
        echo wine
    else
        echo "$wine64"
    fi
}

# Exports what every Wine run of the project runs with: the prefix <prefix-dir>, no debug output, the Chinese
# locale (ANSI code page 936) and no Mono or Gecko, which wineboot would otherwise set up; <more-overrides>
# adds DLL overrides of the run's own (e2e: "winhlp32.exe=d", the help viewer off).
#   use_wine_environment <prefix-dir> [more-overrides]
use_wine_environment() {
    export WINEPREFIX=$1 WINEDEBUG=-all LANG=zh_CN.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml=${2:+;$2}"
}

# The Wine slot ctest gave the calling test, "0" or "1" (the resource "wine" of tests/e2e/wine_slots.json,
# which the Windows trees' test presets name), or nothing when ctest gave none.
wine_slot() {
    if [[ ${CTEST_RESOURCE_GROUP_0_WINE:-} =~ ^id:([0-9]+), ]]; then
        echo "${BASH_REMATCH[1]}"
    fi
}

# Prints the prefix of the calling test: <prefix-dir> itself, or "<prefix-dir>-<slot>" in a slot past the
# first. A prefix serves one Wine session at a time, so each slot has its own.
#   slot_prefix <prefix-dir>
slot_prefix() {
    local slot
    slot=$(wine_slot)
    if [[ -n $slot && $slot != 0 ]]; then
        echo "$1-$slot"
    else
        echo "$1"
    fi
}

# Makes the prefix <prefix-dir> with <loader> (default: choose_wine_loader) unless it is ready; wine's own
# output goes to <prefix-dir>.log.
make_wine_prefix() {
    local prefix=$1
    local loader=${2:-$(choose_wine_loader)}
    local ready="$prefix/dorvelquinta-prefix-ready"
    [[ -f $ready ]] && return 0
    local fonts='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
    mkdir -p "$(dirname "$prefix")"
    (
        use_wine_environment "$prefix"
        set -e
        "$loader" wineboot -i
        "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
        for font in "宋体" "SimSun" "MS Shell Dlg"; do
            "$loader" reg add "$fonts" /v "$font" /t REG_SZ /d "WenQuanYi Zen Hei Sharp" /f
        done
        wineserver -w
    ) >"$prefix.log" 2>&1 || {
        echo "wineprefix: cannot make $prefix; see $prefix.log" >&2
        return 1
    }
    touch "$ready"
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    if [[ $# -lt 1 || $# -gt 2 ]]; then
        echo "usage: $0 <prefix-dir> [loader]" >&2
        exit 2
    fi
    make_wine_prefix "$@"
fi
