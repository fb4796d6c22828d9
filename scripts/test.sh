#!/usr/bin/env bash
# Sets the machine up, builds the native, sanitizer, Windows and fuzz trees from their presets and runs their
# tests: unit tests (ctest), natively and under the sanitizers, the end-to-end cases under Wine, the release zip
# (checked, then unpacked and run from a fresh folder) and a short fuzz run. Ends with one line "N passed, M
# failed" summed over the layers and exits 0 only when every layer ran and nothing failed. A layer that cannot
# build, run or report counts as one failure.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

logs=build/test-logs
passed=0
failed=0
layer_lines=()

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

# Adds a layer's counts when the command ran, reported and its status agrees with the counts.
# check_layer <layer> <status> <passed> <failed>, with empty counts when no report was found.
check_layer() {
    if [[ -z $3 || -z $4 ]]; then
        layer_broken "$1" "no result report"
    elif [[ $2 -ne 0 && $4 -eq 0 ]]; then
        layer_broken "$1" "exit status $2 with no failed test" "$3"
    else
        count "$1" "$3" "$4"
    fi
}

# Builds the tree of a preset and runs its tests with ctest, <jobs> at a time; counts them from ctest's summary
# line.
#   ctest_layer <layer> <preset> <jobs>
ctest_layer() {
    local layer=$1 preset=$2 status=0
    run_logged "$logs/$layer-build.log" bash scripts/build_tree.sh "$preset" ||
        { layer_broken "$layer" "build failed"; return; }
    run_logged "$logs/$layer.log" ctest --preset "$preset" -j "$3" || status=$?
    local summary total failures
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$logs/$layer.log" | tail -n 1 || true)
    total=$(sed -nE 's/.* out of ([0-9]+).*/\1/p' <<<"$summary")
    failures=$(sed -nE 's/.*passed, ([0-9]+) tests? failed.*/\1/p' <<<"$summary")
    check_layer "$layer" "$status" "${total:+$((total - failures))}" "$failures"
}

native_layer() {
    ctest_layer native native 1
}

# The unit and tool tests once more under AddressSanitizer and UndefinedBehaviorSanitizer: a sanitizer report
# fails its test. Built without optimisation, which compiles fastest and keeps every report's stack exact;
# each test is a process of its own whose start the sanitizers slow down, so they run in parallel.
sanitize_layer() {
    ctest_layer sanitize sanitize "$(nproc)"
}

windows_layer() {
    local status=0
    run_logged "$logs/win-build.log" bash scripts/build_tree.sh win32 || { layer_broken e2e "build failed"; return; }
    choose_windows_tree
    if [[ $windows_preset != win32 ]]; then
        echo "test: this kernel runs no 32-bit program natively; the end-to-end cases run the 64-bit build"
        run_logged "$logs/win64-build.log" bash scripts/build_tree.sh "$windows_preset" ||
            { layer_broken e2e "build failed"; return; }
    fi
    [[ -f tests/e2e/run.sh ]] || { layer_broken e2e "tests/e2e/run.sh is missing"; return; }
    rm -rf build/e2e-scratch
    run_logged "$logs/e2e.log" bash tests/e2e/run.sh "$windows_tree" build/e2e-scratch || status=$?
    local summary
    summary=$(grep -E '^e2e: [0-9]+ passed, [0-9]+ failed$' "$logs/e2e.log" | tail -n 1 || true)
    check_layer e2e "$status" "$(sed -nE 's/^e2e: ([0-9]+) passed.*/\1/p' <<<"$summary")" \
        "$(sed -nE 's/.* ([0-9]+) failed$/\1/p' <<<"$summary")"
}

# Counts a layer whose checks print one line each, "<prefix> <check>: ok" or "<prefix> <check>: FAILED".
# result_lines_layer <layer> <status> <log> <prefix>
result_lines_layer() {
    local ok bad
    ok=$(grep -cE "^$4 .+: ok( |$)" "$3" || true)
    bad=$(grep -cE "^$4 .+: FAILED$" "$3" || true)
    if [[ $((ok + bad)) -eq 0 ]]; then
        check_layer "$1" "$2" "" ""
    else
        check_layer "$1" "$2" "$ok" "$bad"
    fi
}

# The release the Windows builds made: the shipped 32-bit zip's contents and programs are checked, and the zip
# of the build that runs here is unpacked into a fresh folder and run from there under Wine.
package_checks() {
    local status=0
    if [[ $windows_tree != build/win ]]; then
        bash scripts/check_package.sh build/win || status=$?
    fi
    bash scripts/check_package.sh "$windows_tree" --run || status=$?
    return "$status"
}

package_layer() {
    local status=0
    [[ -n ${windows_tree:-} ]] || { layer_broken package "no Windows build"; return; }
    run_logged "$logs/package.log" package_checks || status=$?
    result_lines_layer package "$status" "$logs/package.log" package
}

# Each fuzz target for a few seconds on a copy of its seeds.
fuzz_layer() {
    ctest_layer fuzz fuzz 1
}

# shellcheck source=scripts/windows_tree.sh
source scripts/windows_tree.sh
bash scripts/setup.sh
mkdir -p "$logs"
native_layer
sanitize_layer
windows_layer
package_layer
fuzz_layer

echo
printf '%s\n' "${layer_lines[@]}"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
