#!/bin/sh
# Builds the font file fuzzers with clang in build-fuzz/. With a driver
# (pxl, bgi, raw, fna, win, or bgichr: the BGI layer's .chr loader) and a
# number of seconds, also runs that fuzzer from the committed seeds
# (further arguments go to libFuzzer); new inputs and crashes stay in
# build-fuzz/.
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
out=$top/build-fuzz
CC=clang CXX=clang++ cmake -S "$top" -B "$out" -DCMAKE_BUILD_TYPE=Debug -DPXL_FUZZ=ON \
    -DPXL_BUILD_TESTS=OFF -DPXL_BUILD_BENCH=OFF >/dev/null
cmake --build "$out" -j2 --target fuzz_pxl fuzz_bgi fuzz_raw fuzz_fna fuzz_win fuzz_bgichr \
    fuzz_seeds
[ $# -ge 2 ] || exit 0
drv=$1 secs=$2
shift 2
mkdir -p "$out/corpus/$drv" "$out/crashes/$drv"
"$out/bin/fuzz_$drv" -max_total_time="$secs" -artifact_prefix="$out/crashes/$drv/" "$@" \
    "$out/corpus/$drv" "$top/tools/fuzz/corpus/$drv"
