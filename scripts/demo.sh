#!/usr/bin/env bash
# Builds the library and runs the demo on its bundled example (extra arguments go to the demo).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/ensure-deps.sh"
build="${BUILD_DIR:-$root/build/demo}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DFUZZY_BUILD_TESTS=OFF \
    -DFUZZY_WERROR="${FUZZY_WERROR:-OFF}" >/dev/null
cmake --build "$build" --target fuzzy_demo -j"$(nproc)" >/dev/null
"$build/examples/fuzzy_demo" "$@"
