# Sourced by the scripts that start the tester under Wine and wait for its main window.

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
