#!/usr/bin/env bash
# Builds the library with its tests and runs every test.
# FUZZY_SANITIZE=address,undefined builds everything with those sanitizers (in build/sanitize);
# FUZZY_WERROR=ON makes every compiler warning an error. The compiler is cmake's choice, or
# $CXX when a build folder is first made (CXX=clang++ BUILD_DIR=build/clang scripts/test.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/ensure-deps.sh"
sanitize="${FUZZY_SANITIZE:-}"
if [ -n "$sanitize" ]; then
    build="${BUILD_DIR:-$root/build/sanitize}"
    type=Debug
else
    build="${BUILD_DIR:-$root/build/test}"
    type=RelWithDebInfo
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="$type" -DFUZZY_SANITIZE="$sanitize" \
    -DFUZZY_WERROR="${FUZZY_WERROR:-OFF}" -DFUZZY_BUILD_TESTS=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
