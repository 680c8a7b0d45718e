#!/usr/bin/env bash
# Cross-builds zevgraph for 64-bit Windows in one go:
#   OUTDIR/deps   static libpng for the target (tools/build-libpng-mingw.sh)
#   OUTDIR/build  zevgraph.exe, the libraries, the tests and the release zip
# then checks that the programs import only DLLs that Windows has, and puts
# the zip in OUTDIR.  Run the tests with tools/wine-ctest.sh OUTDIR/build.
#
#   tools/build-windows.sh OUTDIR [extra cmake options]
set -euo pipefail

[ $# -ge 1 ] || { echo "usage: $0 OUTDIR [cmake options]" >&2; exit 2; }
top=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)
shift

[ -f "$out/deps/lib/libpng.a" ] || "$top/tools/build-libpng-mingw.sh" "$out/deps"
cmake -S "$top" -B "$out/build" \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_PREFIX_PATH="$out/deps" -DPXL_BUILD_BENCH=OFF "$@"
cmake --build "$out/build" -j2
"$top/tools/check-dlls.sh" "$out/build/bin/"*.exe
cp "$out/build/"zevgraph-*-win64.zip "$out/"
echo "built $(ls "$out/"zevgraph-*-win64.zip)"
