#!/usr/bin/env bash
# Checks that the program's folders keep to their floors, in one strict order: base/ (with resources/, the
# identifiers the resource script shares) < layouts/ < records/ < engine/ < app/. A file may include from its
# own floor and the floors below, never from a floor above; tools/ and bench/ stand beside the program and use
# the core, never app/. No call goes up unseen either: every function a header of a floor declares has its
# body on that floor, so a floor's header never stands for code above it. Prints every include and every
# declaration that breaks the rules and exits 1 when there is one.
#   check_floors.sh          the check
#   check_floors.sh --graph  the include graph between folders: "<from> -> <to>: <count>", then the check
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

floor_of() {
    case $1 in
        base | resources) echo 0 ;;
        layouts) echo 1 ;;
        records) echo 2 ;;
        engine) echo 3 ;;
        app) echo 4 ;;
        *) echo "" ;;
    esac
}

# One line per include of a project file: "<file> <including folder> <included folder>".
includes() {
    grep -sHoE '^#include "[a-z_]+/[^"]+"' base/* layouts/* engine/* records/* app/* resources/*.h \
        $(find tools bench -name '*.cpp' -o -name '*.h') |
        sed -E 's|^(([a-z_]+)/[^:]+):#include "([a-z_]+)/.*|\1 \2 \3|'
}

if [[ ${1:-} == --graph ]]; then
    includes | awk '$2 != $3 { print $2 " -> " $3 }' | sort | uniq -c | awk '{ print $2 " -> " $4 ": " $1 }'
fi

broken=0
while read -r file from to; do
    # The tools and the benchmarks stand beside the program: they use the core, never app/.
    if [[ $from == tools || $from == bench ]]; then
        if [[ $to == app ]]; then
            echo "floors: $file ($from/, beside the program) includes from app/"
            broken=1
        fi
        continue
    fi
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

# The names of the functions declared or defined at the start of a line in <files>, those whose body follows
# on that line (inline in a header) left out: "<file> <name>".
declared_functions() {
    grep -sHE '^[A-Za-z_][A-Za-z0-9_:<>,*& ]* [*&]?[A-Z][A-Za-z0-9]*\(' "$@" | grep -vE '\{$' |
        sed -E 's|^([^:]+):[A-Za-z0-9_:<>,*& ]*[ *&]([A-Z][A-Za-z0-9]*)\(.*|\1 \2|'
}

for folder in base layouts records engine; do
    defined=$(grep -shoE '^[A-Za-z_][A-Za-z0-9_:<>,*& ]* [*&]?[A-Z][A-Za-z0-9]*\(' "$folder"/*.cpp |
        sed -E 's|.*[ *&]([A-Z][A-Za-z0-9]*)\($|\1|' | sort -u)
    while read -r header name; do
        if ! grep -qx "$name" <<<"$defined"; then
            echo "floors: $header declares $name, whose body is not on its floor"
            broken=1
        fi
    done < <(declared_functions "$folder"/*.h)
done

if ((broken)); then
    exit 1
fi
echo "floors: every include keeps to its floor, and every function has its body on the floor declaring it"
