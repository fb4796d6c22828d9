#!/usr/bin/env bash
# Sets the machine up, builds the Windows program and starts the tester, with its hook library, the shipped
# settings and the shipped layouts, from build/run/ under Wine. On a usable display it runs there until closed;
# without one (or in CI) it runs on Xvfb, presses a few keys (G bounces, so it chatters, and H stays held),
# saves build/screenshot.png and ends the tester.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
# shellcheck source=tests/e2e/wineprefix.sh
source tests/e2e/wineprefix.sh
# shellcheck source=scripts/windows_tree.sh
source scripts/windows_tree.sh
# shellcheck source=scripts/wine_window.sh
source scripts/wine_window.sh

run_dir=$root/build/run
screenshot=$root/build/screenshot.png
start_timeout=600

bash scripts/setup.sh
if [[ ${CI:-} == true ]] || ! display_usable; then
    on_xvfb DORVELQUINTA_RUN_XVFB "$root/scripts/run.sh" "$@"
fi
choose_windows_tree
bash scripts/build_tree.sh "$windows_preset"
window_title=$(tester_title "$windows_tree")

mkdir -p "$run_dir"
rm -f "$run_dir"/*.kbl "$run_dir"/*.bmp
cp "$windows_tree/dorvelquinta.exe" "$windows_tree/filter.dll" "$windows_tree/dorvelquinta.ini" "$run_dir/"
shopt -s nullglob
layouts=(keyboards/*.kbl keyboards/*.bmp)
shopt -u nullglob
if [[ ${#layouts[@]} -gt 0 ]]; then
    cp "${layouts[@]}" "$run_dir/"
fi

loader=$(choose_wine_loader "$run_dir/dorvelquinta.exe")
use_wine_environment "$root/build/wineprefix"
make_wine_prefix "$WINEPREFIX" "$loader"

if [[ -z ${DORVELQUINTA_RUN_XVFB:-} ]]; then
    cd "$run_dir"
    exec "$loader" dorvelquinta.exe
fi

tester_pid=
finish() {
    wineserver -k 2>/dev/null || true
    if [[ -n $tester_pid ]]; then
        wait "$tester_pid" 2>/dev/null || true
    fi
}
trap finish EXIT

(cd "$run_dir" && exec "$loader" dorvelquinta.exe) &
tester_pid=$!

echo "run: starting the tester on Xvfb $DISPLAY"
window=$(wait_for_window "$window_title" "$tester_pid" "$start_timeout") || exit 1

xdotool windowfocus --sync "$window"
xdotool key --delay 150 q w e r t y 1 2 3 space
xdotool keydown g keyup g keydown g
sleep 0.3
xdotool keyup g keydown h
sleep 3
xwd -root -silent -display "$DISPLAY" | convert xwd:- "$screenshot"
echo "run: screenshot saved to $screenshot"
