#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and UBSan)
# and runs each one for MINUTES (default 1), starting from its corpus in
# fuzz/corpus/<reader>. New inputs it finds go to build-fuzz/work/<reader>; an
# input that breaks a target is saved under build-fuzz/crashes and printed.
# Copy such an input into fuzz/corpus/<reader>/ once the fault is fixed, so the
# test command keeps checking it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
MINUTES="${1:-1}"
install_missing clang
FUZZ_DIR="$ROOT/build-fuzz"
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKANVELO_FUZZ=ON -DKANVELO_BENCH=OFF >/dev/null
readers=()
for src in "$ROOT"/fuzz/*_fuzz.cpp; do
    name=$(basename "$src" .cpp)
    readers+=("${name%_fuzz}")
done
cmake --build "$FUZZ_DIR" -j"$(nproc)" --target $(printf '%s_fuzzer ' "${readers[@]}")

# Allocation stacks are not recorded: most of a run's time went there. A crash
# found is reproduced with its input and the full report by running
# "$FUZZ_DIR/<reader>_fuzzer <input>" with ASAN_OPTIONS unset.
export ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=0}"
status=0
mkdir -p "$FUZZ_DIR/crashes"
for reader in "${readers[@]}"; do
    work="$FUZZ_DIR/work/$reader"
    mkdir -p "$work"
    log="$FUZZ_DIR/$reader.log"
    echo "== $reader: $MINUTES min"
    if ! "$FUZZ_DIR/${reader}_fuzzer" "$work" "$ROOT/fuzz/corpus/$reader" \
        -max_total_time=$((MINUTES * 60)) -max_len=16384 -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="$FUZZ_DIR/crashes/$reader-" -print_final_stats=1 >"$log" 2>&1; then
        status=1
        echo "   FOUND A CRASH:"
        grep -E "ERROR|property broken|Test unit written" "$log" | head -5 | sed 's/^/   /'
    fi
    runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$' || echo "?")
    cov=$(grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 || echo "cov: ?")
    echo "   runs: $runs, $cov, corpus: $(ls "$work" | wc -l) inputs"
done
exit $status
