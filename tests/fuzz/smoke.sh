#!/bin/sh
# Runs fuzz targets for a while, each on a copy of its committed seed corpus, and prints one line per target.
# Usage: tests/fuzz/smoke.sh <fuzz-build-dir> <seconds-per-target> <target>...
# Exits non-zero when a target fails (a crash, a sanitizer report or a broken check). The copy, the log and
# any crashing input are kept in a temporary folder named on the standard error when a target fails.
set -u

if [ $# -lt 3 ]; then
    echo "usage: $0 <fuzz-build-dir> <seconds-per-target> <target>..." >&2
    exit 2
fi
buildDir=$1
seconds=$2
shift 2
corpusDir=$(cd "$(dirname "$0")" && pwd)/corpus
failed=0

for target in "$@"; do
    program=$buildDir/tests/fuzz/$target
    work=$(mktemp -d "${TMPDIR:-/tmp}/$target.XXXXXX")
    mkdir "$work/corpus" "$work/artifacts"
    cp "$corpusDir/$target"/* "$work/corpus/"
    if [ -x "$program" ] &&
        "$program" -max_total_time="$seconds" -artifact_prefix="$work/artifacts/" "$work/corpus" \
            >"$work/log" 2>&1; then
        runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$work/log" | tail -n 1)
        echo "fuzz $target: ok (${runs:-0} runs)"
        rm -rf "$work"
    else
        echo "fuzz $target: FAILED"
        echo "  log and inputs kept in $work" >&2
        failed=1
    fi
done
exit $failed
