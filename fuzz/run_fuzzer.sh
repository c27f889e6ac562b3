#!/usr/bin/env bash
# Runs one fuzzer for a bounded time, starting from its seeds (which it only reads: new inputs go to a
# scratch folder). A crash, a hang or a sanitizer report fails the test; the input that caused it is
# kept in the current folder as <fuzzer>-crash-… and so on.
# Usage: run_fuzzer.sh <fuzzer> <seed folder> <seconds>
set -u
fuzzer=$1 seeds=$2 seconds=$3
name=$(basename "$fuzzer")
# In memory where there is a tmpfs: the registry and state file fuzzers write and sync a file per input.
scratch=/dev/shm; [ -d "$scratch" ] && [ -w "$scratch" ] || scratch=${TMPDIR:-/tmp}
work=$(mktemp -d "$scratch/kova2-fuzz-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/home"
export KOVA2_HOME="$work/home" QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$(cd "$(dirname "$0")/.." && pwd)/tests/lsan.supp:print_suppressions=0
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$PWD/$name-" "$work/corpus" "$seeds" >"$work/log" 2>&1
status=$?
grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/log"
if [ $status -ne 0 ]; then
    grep -v '^kova2 card: ' "$work/log" | tail -60
    echo "FAILED: $name (exit $status)"
    exit 1
fi
echo "PASSED: $name, ${seconds} s"
