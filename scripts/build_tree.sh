#!/usr/bin/env bash
# Configures and builds one CMake tree of this repository.
#   scripts/build_tree.sh <build-dir> [cmake options...]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [[ $# -lt 1 ]]; then
    echo "usage: $0 <build-dir> [cmake options...]" >&2
    exit 2
fi
tree=$1
shift
cmake -S . -B "$tree" "$@"
cmake --build "$tree" -j "$(nproc)"
