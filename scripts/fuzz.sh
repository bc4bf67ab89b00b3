#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs each for FUZZY_FUZZ_SECONDS seconds (default 60),
# starting from the seed corpus in tests/fuzz/corpus. What a run learns is kept in
# build/fuzz/corpus, so later runs go on from there; a failing input is saved in
# build/fuzz/findings and the script stops with an error. FUZZY_FUZZ_SEED fixes the
# random seed and FUZZY_FUZZ_RUNS bounds the number of inputs as well, so that a run can
# be repeated input for input (CI uses both).
# Usage: scripts/fuzz.sh [harness...] (default: every harness)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/ensure-deps.sh" clang libclang-rt-14-dev
build="${BUILD_DIR:-$root/build/fuzz}"
seconds="${FUZZY_FUZZ_SECONDS:-60}"
seed="${FUZZY_FUZZ_SEED:-0}"   # 0: libFuzzer picks one
runs="${FUZZY_FUZZ_RUNS:--1}"  # -1: no bound but the time
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(DefinitionTextFuzzer InterchangeFuzzer SetOperationsFuzzer)

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFUZZY_WERROR="${FUZZY_WERROR:-OFF}" -DFUZZY_BUILD_FUZZERS=ON -DFUZZY_BUILD_TESTS=OFF \
    -DFUZZY_BUILD_EXAMPLES=OFF >/dev/null
cmake --build "$build" --target "${harnesses[@]}" -j"$(nproc)"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
for harness in "${harnesses[@]}"; do
    corpus="$build/corpus/$harness"
    findings="$build/findings/$harness"
    mkdir -p "$corpus" "$findings"
    log="$build/$harness.log"
    echo "== $harness for ${seconds}s (log: $log)"
    # Inputs stay small: the checks look for wrong answers, not for slow large inputs.
    if ! "$build/tests/fuzz/$harness" -max_total_time="$seconds" -seed="$seed" -runs="$runs" -timeout=20 \
        -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 -artifact_prefix="$findings/" \
        "$corpus" "$root/tests/fuzz/corpus/$harness" >"$log" 2>&1; then
        # The broken promise, or the sanitizer's report, and where the input went.
        if grep -q '^==== broken promise' "$log"; then
            sed -n '/^==== broken promise/,/ERROR: libFuzzer/p' "$log" >&2
            grep -a 'Test unit written to' "$log" >&2
        else
            tail -n 60 "$log" >&2
        fi
        echo "$harness failed; the input is saved in $findings" >&2
        exit 1
    fi
    grep -E '^Done|stat::number_of_executed_units|stat::peak_rss_mb' "$log"
done
