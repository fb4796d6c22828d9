#!/usr/bin/env bash
# Configures and builds one tree of this repository from its preset in CMakePresets.json: native, sanitize,
# fuzz, win32 or win64.
#   scripts/build_tree.sh <preset>
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [[ $# -ne 1 ]]; then
    echo "usage: $0 <preset>" >&2
    exit 2
fi
cmake --preset "$1"
cmake --build --preset "$1" -j "$(nproc)"
