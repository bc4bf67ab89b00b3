#!/usr/bin/env bash
# Compares `fuzzy eval --semantics textbook` with the peer library's own command-line tool
# (Debian package fuzzylite) on an FLL file, over an even grid of every input, the peer
# integrating its centroid at a high resolution. Not part of the tests: a check by hand.
#
#   scripts/peer-crosscheck.sh FILE.fll [VALUES] [FUZZY]
#
# VALUES is the number of values of each input (11 by default); FUZZY the tool to check
# (build/test/tools/fuzzy/fuzzy by default). Prints, per output, the largest difference as
# a part of the output's range, over the rows where the peer has a value (it answers nan
# where no rule fired or nothing has weight).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
file=$1
values=${2:-11}
fuzzy=${3:-$root/build/test/tools/fuzzy/fuzzy}
command -v fuzzylite >/dev/null || { echo "needs the peer's tool: apt-get install fuzzylite" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sed -E 's/(Centroid|Bisector|LargestOfMaximum|SmallestOfMaximum|MeanOfMaximum) [0-9]+/\1 1000000/' \
    "$file" >"$work/fine.fll"
fuzzylite -i "$work/fine.fll" -of fld -o "$work/peer.fld" -values "$values" -scope EachVariable \
    -decimals 15 -dheader true -dinputs true
inputs=$(grep -c '^InputVariable:' "$file")
# The peer's table: inputs then outputs, space separated; the inputs become our CSV.
awk -v n="$inputs" '{ line = $1; for (i = 2; i <= n; ++i) line = line "," $i; print line }' \
    "$work/peer.fld" >"$work/inputs.csv"
"$fuzzy" eval "$file" --semantics textbook --csv "$work/inputs.csv" >"$work/ours.csv"
# Output ranges in the order of the file.
awk '/^OutputVariable:/ { name = $2 } /^ *range:/ && name != "" { print name, $2, $3; name = "" }' \
    "$file" >"$work/ranges"
awk -v n="$inputs" '
    FNR == 1 { file++ }
    file == 1 { range[$1] = $3 - $2; next }
    file == 2 { if (FNR == 1) { for (i = n + 1; i <= NF; ++i) name[i - n] = $i; outputs = NF - n }
                else for (i = 1; i <= outputs; ++i) peer[FNR, i] = $(n + i); next }
    file == 3 { split($0, cell, ","); if (FNR == 1) { for (i in cell) column[cell[i]] = i; next }
                for (i = 1; i <= outputs; ++i) {
                    p = peer[FNR, i]; o = cell[column[name[i]]]
                    if (p == "nan") continue
                    if (o == "") { missing[i]++; continue }
                    d = (o - p) / range[name[i]]; if (d < 0) d = -d
                    if (d > worst[i]) worst[i] = d; rows[i]++ } }
    END { for (i = 1; i <= outputs; ++i)
              printf "%s: %d rows, largest difference %.3g of the range%s\n", name[i], rows[i],
                     worst[i], missing[i] ? ", " missing[i] " rows without a value" : "" }
' "$work/ranges" "$work/peer.fld" "$work/ours.csv"
