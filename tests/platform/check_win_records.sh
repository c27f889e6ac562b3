#!/bin/sh
# Compiles the static_asserts that win_records_layout prints against the 32-bit Windows headers of
# mingw-w64. Usage: check_win_records.sh <win_records_layout> <output file>. Exit 77 (skipped) where
# clang++ or the headers are missing.
set -u
generator=$1 output=$2
if ! command -v clang++ >/dev/null 2>&1; then echo "clang++ not found: layouts not checked"; exit 77; fi
"$generator" > "$output" || { echo "win_records_layout failed"; exit 1; }
if ! echo '#include <windows.h>' | clang++ --target=i686-w64-mingw32 -fsyntax-only -x c++ - 2>/dev/null; then
    echo "mingw-w64 Windows headers not found: layouts not checked"; exit 77
fi
clang++ --target=i686-w64-mingw32 -fsyntax-only -x c++ "$output"
