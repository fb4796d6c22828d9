# Sourced by the scripts that start Windows programs under Wine on an X display and wait for the tester's
# main window.

# A fresh Xvfb on a free display number, for a command that has no usable display.
xvfb_run=(xvfb-run -a -s '-screen 0 1280x1024x24 -nolisten tcp')

# True when DISPLAY names an X server that answers.
display_usable() {
    [[ -n ${DISPLAY:-} ]] && xdotool getdisplaygeometry >/dev/null 2>&1
}

# Runs the calling script again on a fresh Xvfb, unless this is that run already: <marker> names an environment
# variable set for the run on Xvfb, so that a display that does not answer even there is an error.
#   on_xvfb <marker> <script> [arguments...]
on_xvfb() {
    local marker=$1
    shift
    if [[ -n ${!marker:-} ]]; then
        display_usable && return 0
        echo "no usable X display" >&2
        exit 2
    fi
    export "$marker=1"
    exec "${xvfb_run[@]}" "$@"
}

# The same, unless the calling script has a usable display already.
#   on_display <marker> <script> [arguments...]
on_display() {
    display_usable || on_xvfb "$@"
}

# Runs a command on an Xvfb of its own and ends the server after it; returns the command's status. The server
# takes a free display number itself (-displayfd), so that commands started at the same moment never ask for
# the same one.
#   run_on_own_xvfb <command> [arguments...]
run_on_own_xvfb() {
    local number status=0
    coproc own_xvfb { exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null; }
    local server=$own_xvfb_PID
    if ! read -r -t 30 number <&"${own_xvfb[0]}"; then
        echo "Xvfb did not start" >&2
        kill "$server" 2>/dev/null || true
        return 2
    fi
    DISPLAY=:$number "$@" || status=$?
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
    return "$status"
}

# As on_display, but a test that ctest runs in a Wine slot (wine_slot, tests/e2e/wineprefix.sh) always runs
# the calling script again on an Xvfb of its own: the Wine sessions of two slots on one display would take
# each other's keyboard focus.
#   on_slot_display <marker> <script> [arguments...]
on_slot_display() {
    local marker=$1
    if [[ -z $(wine_slot) || -n ${!marker:-} ]]; then
        on_display "$@"
        return 0
    fi
    shift
    export "$marker=1"
    local status=0
    run_on_own_xvfb "$@" || status=$?
    exit "$status"
}

# Runs a command on the usable display, or on a fresh Xvfb when there is none: the programs it starts one after
# another share that display instead of each starting an Xvfb of its own.
#   with_display <command> [arguments...]
with_display() {
    if display_usable; then
        "$@"
    else
        "${xvfb_run[@]}" "$@"
    fi
}

# Waits until a visible window titled exactly <title> exists and prints its id. Fails when the process <pid>
# ends first or after <seconds>.
#   wait_for_window <title> <pid> <seconds>
wait_for_window() {
    local title=$1 pid=$2 seconds=$3 window
    for _ in $(seq $((seconds * 10))); do
        window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1 || true)
        if [[ -n $window ]]; then
            echo "$window"
            return 0
        fi
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "the tester ended before its window \"$title\" was shown" >&2
            return 1
        fi
        sleep 0.1
    done
    echo "no window \"$title\" after $seconds s" >&2
    return 1
}

# The title of the tester's main window, from the version a Windows build was made with.
#   tester_title <win-build-dir>
tester_title() {
    printf 'Dorvelquinta %s' \
        "$(sed -nE 's/^#define DVQ_DISPLAY_VERSION "(.*)"$/\1/p' "$1/generated/product_version.h")"
}
