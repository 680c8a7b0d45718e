#!/bin/sh
# Installs the build tree into a scratch prefix, then compiles and runs a C
# program with nothing but `pkg-config --cflags --libs pxl`, in the scratch
# directory.
# Usage: check-install.sh BUILD_DIR PROGRAM.c
set -eu
build=$1
prog=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
for f in bin/zevgraph lib/libpxl.a lib/liboxant.a include/pxl.h include/liboxant.h \
         include/graphics.h share/pxl/fonts/trip.chr share/pxl/fonts/CREDITS \
         lib/pkgconfig/pxl.pc; do
    [ -f "$work/prefix/$f" ] || { echo "missing after install: $f" >&2; exit 1; }
done
flags=$(PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig" pkg-config --cflags --libs pxl)
# sanitizer builds leave instrumented libraries: link the runtime too
extra=$(grep -q 'PXL_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" && echo "-fsanitize=address,undefined" || true)
cc -std=c99 -Wall -Wextra -Werror $extra -o "$work/prog" "$prog" $flags
# files it writes go with the scratch directory; the stroke fonts as installed
(cd "$work" && PXLFONT="$work/prefix/share/pxl/fonts" ./prog)
echo "installed prefix builds and runs a C program"
