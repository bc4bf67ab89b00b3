#!/usr/bin/env bash
# Checks that every C++ source follows the committed .clang-format, naming the files that
# do not. With --fix it formats them in place instead.
# Usage: scripts/format-check.sh [--fix]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/ensure-deps.sh" clang-format
cd "$root"
mapfile -t sources < <(find . \( -name 'build*' -o -name '.*' ! -name . \) -prune -o \
    \( -name '*.cpp' -o -name '*.hpp' \) -print | sort)

if [ "${1:-}" = --fix ]; then
    clang-format -i "${sources[@]}"
    exit 0
fi
unformatted=()
for source in "${sources[@]}"; do
    clang-format "$source" | cmp -s - "$source" || unformatted+=("$source")
done
if [ ${#unformatted[@]} -gt 0 ]; then
    printf 'Not formatted: %s\n' "${unformatted[@]}" >&2
    echo "scripts/format-check.sh --fix formats them (clang-format -i)." >&2
    exit 1
fi
