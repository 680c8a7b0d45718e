#!/bin/sh
# Installs the build tree into a scratch prefix, then compiles and runs a C
# program with nothing but `pkg-config --cflags --libs pxl`, in the scratch
# directory.
# Usage: check-install.sh BUILD_DIR PROGRAM.c
# A cross build sets CC (the target's C compiler), LDFLAGS, EXE (the program
# suffix), RUN (how to run a target program) and PKG_CONFIG_LIBDIR (where the
# target's libpng.pc is); its libraries are static, so pkg-config --static.
set -eu
build=$1
prog=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
for f in bin/zevgraph${EXE:-} lib/libpxl.a lib/liboxant.a include/pxl.h include/liboxant.h \
         include/graphics.h share/pxl/fonts/trip.chr share/pxl/fonts/CREDITS \
         lib/pkgconfig/pxl.pc; do
    [ -f "$work/prefix/$f" ] || { echo "missing after install: $f" >&2; exit 1; }
done
static=$([ -n "${EXE:-}" ] && echo --static || true)
flags=$(PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig" pkg-config $static --cflags --libs pxl)
# sanitizer builds leave instrumented libraries: link the runtime too
extra=$(grep -q 'PXL_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" && echo "-fsanitize=address,undefined" || true)
${CC:-cc} -std=c99 -Wall -Wextra -Werror $extra -o "$work/prog${EXE:-}" "$prog" $flags ${LDFLAGS:-}
# files it writes go with the scratch directory; the stroke fonts as installed
(cd "$work" && PXLFONT="$work/prefix/share/pxl/fonts" ${RUN:-} "./prog${EXE:-}")
echo "installed prefix builds and runs a C program"
