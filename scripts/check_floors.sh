#!/usr/bin/env bash
# Checks that the program's folders keep to their floors: base/ (with resources/, the identifiers the resource
# script shares) at the bottom; layouts/, engine/ and records/ above it; app/ on top. A file may include from
# its own floor and the floors below, never from a floor above. Prints every include that breaks the rule and
# exits 1 when there is one.
#   check_floors.sh          the check
#   check_floors.sh --graph  the include graph between folders: "<from> -> <to>: <count>", then the check
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

floor_of() {
    case $1 in
        base | resources) echo 0 ;;
        layouts | engine | records) echo 1 ;;
        app) echo 2 ;;
        *) echo "" ;;
    esac
}

# One line per include of a project file: "<file> <including folder> <included folder>".
includes() {
    grep -sHoE '^#include "[a-z_]+/[^"]+"' base/* layouts/* engine/* records/* app/* resources/*.h |
        sed -E 's|^(([a-z_]+)/[^:]+):#include "([a-z_]+)/.*|\1 \2 \3|'
}

if [[ ${1:-} == --graph ]]; then
    includes | awk '$2 != $3 { print $2 " -> " $3 }' | sort | uniq -c | awk '{ print $2 " -> " $4 ": " $1 }'
fi

broken=0
while read -r file from to; do
    from_floor=$(floor_of "$from")
    to_floor=$(floor_of "$to")
    if [[ -z $to_floor ]]; then
        echo "floors: $file includes from $to/, which is no floor of the program"
        broken=1
    elif ((to_floor > from_floor)); then
        echo "floors: $file (floor $from_floor) includes from $to/ (floor $to_floor)"
        broken=1
    fi
done < <(includes)
if ((broken)); then
    exit 1
fi
echo "floors: every include keeps to its floor"
