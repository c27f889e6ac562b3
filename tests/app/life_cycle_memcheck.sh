#!/usr/bin/env bash
# The program's life cycle (life_cycle) under valgrind memcheck: no memory error, no definite leak, and
# every step of the run as it should be. Usage: life_cycle_memcheck.sh <folder of life_cycle>.
# Exit 77 (skipped) when valgrind is missing.
set -u
bin=$1
command -v valgrind >/dev/null || { echo "SKIPPED: valgrind is not installed"; exit 77; }
[ -x "$bin/life_cycle" ] || { echo "FAILED: no program $bin/life_cycle"; exit 1; }
export QT_QPA_PLATFORM=offscreen
exec valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --show-leak-kinds=definite \
    --errors-for-leak-kinds=definite --track-origins=yes --num-callers=30 \
    --suppressions="$(dirname "$0")/../memcheck.supp" "$bin/life_cycle"
