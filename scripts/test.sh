#!/usr/bin/env bash
# Sets the machine up, builds the native, sanitizer, Windows and fuzz trees from their presets and runs their
# tests with ctest, a layer at a time: the unit and tool tests with the checks of the sources (native), the
# end-to-end cases under Wine, the release zip (checked, then unpacked and run from a fresh folder), the unit
# and tool tests under the sanitizers and a short fuzz run. Ends with one line "N passed, M failed" summed
# from ctest's summaries and exits 0 only when every layer ran and nothing failed. A layer that cannot build,
# run or report counts as one failure.
# No processor time is left idle: the Wine prefixes, whose making mostly waits, are made while the native tree
# builds, and the sanitizer and fuzz trees are built and the sanitizer tests run at the lowest priority from
# the start, in the time the native and Windows builds and the end-to-end cases (two at a time, mostly waiting
# on Wine) leave.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

logs=build/test-logs
passed=0
failed=0
layer_lines=()
failure_lines=()

# Adds one layer's counts: count <layer> <passed> <failed>
count() {
    passed=$((passed + $2))
    failed=$((failed + $3))
    layer_lines+=("$1: $2 passed, $3 failed")
}

# A layer that did not run to its report: one failure, after the tests it saw pass, if any.
# layer_broken <layer> <reason> [passed]
layer_broken() {
    echo "$1: $2" >&2
    count "$1" "${3:-0}" 1
    layer_lines[-1]+=" ($2)"
}

# Runs a command under a heading, shows its output and keeps a copy in <log> with Windows line ends made
# plain; returns the command's status.
run_logged() {
    local log=$1
    shift
    echo
    echo "=== $* ==="
    local status=0
    "$@" 2>&1 | tee "$log" || status=$?
    sed -i 's/\r$//' "$log"
    return "$status"
}

# Adds a layer's counts from the summaries ctest wrote into <log> ("N% tests passed, F tests failed out of T"),
# when there is one and ctest's exit status agrees with them.
#   ctest_counts <layer> <status> <log>
ctest_counts() {
    local reports total failures
    read -r reports total failures < <(awk '/^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+/ {
        reports++; total += $9; failures += $4 } END { print reports + 0, total + 0, failures + 0 }' "$3")
    if [[ $reports -eq 0 ]]; then
        layer_broken "$1" "no result report"
    elif [[ $2 -ne 0 && $failures -eq 0 ]]; then
        layer_broken "$1" "exit status $2 with no failed test" "$total"
    else
        count "$1" $((total - failures)) "$failures"
    fi
    note_failures "$1" "$3" "$failures"
}

# Keeps, for the last lines, the names of the tests that failed in a layer's <log> (ctest's list) and the
# end-to-end driver's reason for each case it failed, each cut to 600 characters: a run whose output is seen
# only from its end still says what failed. In a layer with no failed test (<failures> 0), the driver's
# reasons are those of cases that passed when run again, and are named so.
#   note_failures <layer> <log> <failures>
note_failures() {
    local line heading=$1
    [[ $3 -gt 0 ]] || heading="$1, passed when run again"
    while IFS= read -r line; do
        failure_lines+=("$heading: ${line:0:600}")
    done < <(awk '/^The following tests FAILED:/ { listed = 1; next }
        listed && /^[[:space:]]+[0-9]+ - / { sub(/^[[:space:]]+/, ""); print; next }
        { listed = 0 }
        /^[0-9]+: FAILED / { sub(/^[0-9]+: /, ""); print }' "$2")
}

# Runs all tests of a preset's tree, <jobs> at a time.
#   tree_tests <layer> <preset> <jobs>
tree_tests() {
    local status=0
    run_logged "$logs/$1.log" ctest --preset "$2" -j "$3" || status=$?
    ctest_counts "$1" "$status" "$logs/$1.log"
}

# The unit and tool tests, and the checks of the sources: their floors, their format and the About box's
# pictures.
native_layer() {
    run_logged "$logs/native-build.log" bash scripts/build_tree.sh native ||
        { layer_broken native "build failed"; return; }
    tree_tests native native "$(nproc)"
}

# Makes the Wine prefixes of the two Wine slots of the Windows tree's tests (tests/e2e/wine_slots.json) with
# the loader that runs its programs. Making one mostly waits on Wine, so both are made at once and in the
# background; a prefix that failed here is made again, and its failure reported, by the first test using it.
make_wine_prefixes() {
    local loader=wine first=${WINEPREFIX:-$windows_tree/wineprefix} prefix
    [[ $windows_preset == win32 ]] || loader=/usr/lib/wine/wine64
    for prefix in "$first" "$first-1"; do
        bash tests/e2e/wineprefix.sh "$prefix" "$loader" >/dev/null 2>&1 &
    done
    wait || true
}

# Runs a command at the lowest priority with its output in <log> (Windows line ends made plain) and its exit
# status in <log>.status, for a layer to show and count later.
#   run_quietly <log> <command> [arguments...]
run_quietly() {
    local log=$1 status=0
    shift
    nice -n 19 "$@" >"$log" 2>&1 || status=$?
    sed -i 's/\r$//' "$log"
    echo "$status" >"$log.status"
}

# Shows the output run_quietly kept in <log> under the command's heading and returns the command's status, 1
# when it did not run.
#   show_quiet_run <log> <command> [arguments...]
show_quiet_run() {
    local log=$1
    shift
    echo
    echo "=== $* (run in the background) ==="
    cat "$log" 2>/dev/null || true
    return "$(cat "$log.status" 2>/dev/null || echo 1)"
}

# What runs in the background from the start: the sanitizer tree's build and tests, then the fuzz tree's
# build.
background_work() {
    run_quietly "$logs/sanitize-build.log" bash scripts/build_tree.sh sanitize
    if [[ $(cat "$logs/sanitize-build.log.status") == 0 ]]; then
        run_quietly "$logs/sanitize.log" ctest --preset sanitize -j "$(nproc)"
    fi
    run_quietly "$logs/fuzz-build.log" bash scripts/build_tree.sh fuzz
}

# The unit and tool tests once more under AddressSanitizer and UndefinedBehaviorSanitizer: a sanitizer report
# fails its test. Built without optimisation, which compiles fastest and keeps every report's stack exact;
# each test is a process of its own whose start the sanitizers slow down, so they run in parallel.
sanitize_layer() {
    local status=0
    show_quiet_run "$logs/sanitize-build.log" bash scripts/build_tree.sh sanitize ||
        { layer_broken sanitize "build failed"; return; }
    show_quiet_run "$logs/sanitize.log" ctest --preset sanitize -j "$(nproc)" || status=$?
    ctest_counts sanitize "$status" "$logs/sanitize.log"
}

# The shipped 32-bit build, and the 64-bit one where that is the build this machine runs.
windows_build() {
    run_logged "$logs/win-build.log" bash scripts/build_tree.sh win32 || return 0
    if [[ $windows_preset != win32 ]]; then
        echo "test: this kernel runs no 32-bit program natively; the end-to-end cases run the 64-bit build"
        run_logged "$logs/win64-build.log" bash scripts/build_tree.sh "$windows_preset" || return 0
    fi
    windows_built=true
}

# The end-to-end cases and the hook library's check of the build that runs here, two at a time (each in a
# Wine slot of its own, as the Windows tree's test preset says). A case that fails is run once more, in a
# fresh Wine session: it counts as passed when it passes then, and its first failure is still named in the
# last lines.
e2e_layer() {
    local status=0
    [[ $windows_built == true ]] || { layer_broken e2e "build failed"; return; }
    run_logged "$logs/e2e.log" ctest --preset "$windows_preset" -L e2e --repeat until-pass:2 || status=$?
    ctest_counts e2e "$status" "$logs/e2e.log"
}

# The releases the Windows builds made: the shipped 32-bit zip's contents and programs are checked, and the zip
# of the build that runs here is unpacked into a fresh folder and run from there under Wine.
package_tests() {
    local status=0
    if [[ $windows_preset != win32 ]]; then
        ctest --preset win32 -L package || status=$?
    fi
    ctest --preset "$windows_preset" -L package || status=$?
    return "$status"
}

package_layer() {
    local status=0
    [[ $windows_built == true ]] || { layer_broken package "no Windows build"; return; }
    run_logged "$logs/package.log" package_tests || status=$?
    ctest_counts package "$status" "$logs/package.log"
}

# Where the kernel runs no 32-bit program, the shipped 32-bit build is tested under Wine's emulated 32-bit side
# only on request (DVQ_TEST_WIN32=1): a few end-to-end cases and the release run, which take many minutes.
win32_layer() {
    local status=0
    if [[ ${DVQ_TEST_WIN32:-0} != 1 || $windows_preset == win32 || $windows_built != true ]]; then
        return
    fi
    run_logged "$logs/win32.log" with_display ctest --preset win32 -L win32 || status=$?
    ctest_counts win32 "$status" "$logs/win32.log"
}

# Each fuzz target for a few seconds on a copy of its seeds, a target on each processor.
fuzz_layer() {
    show_quiet_run "$logs/fuzz-build.log" bash scripts/build_tree.sh fuzz ||
        { layer_broken fuzz "build failed"; return; }
    tree_tests fuzz fuzz "$(nproc)"
}

# shellcheck source=scripts/windows_tree.sh
source scripts/windows_tree.sh
# shellcheck source=scripts/wine_window.sh
source scripts/wine_window.sh
bash scripts/setup.sh
mkdir -p "$logs"
rm -f "$logs"/*.log "$logs"/*.status
choose_windows_tree
windows_built=false
make_wine_prefixes &
prefixes=$!
background_work &
background=$!
native_layer
windows_build
wait "$prefixes"
e2e_layer
package_layer
win32_layer
wait "$background"
sanitize_layer
fuzz_layer

echo
if [[ ${#failure_lines[@]} -gt 0 ]]; then
    printf '%s\n' "${failure_lines[@]}"
fi
printf '%s\n' "${layer_lines[@]}"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
