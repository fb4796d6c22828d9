#!/usr/bin/env bash
# Checks that every C++ file of the program, its tools, tests and benchmarks is laid out as .clang-format
# says: prints what clang-format would change in each file that is not and exits 1 when there is one.
# Format a file with: clang-format-14 -i <file>
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

unformatted=0
while IFS= read -r -d '' file; do
    if ! clang-format-14 --dry-run --Werror "$file"; then
        echo "format: $file is not formatted"
        unformatted=1
    fi
done < <(find base layouts engine records app resources filter tools tests bench \
    \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if ((unformatted)); then
    exit 1
fi
echo "format: every C++ file is formatted"
