#!/usr/bin/env bash
# Build a static libpng for 64-bit Windows (MinGW-w64) from Debian's own
# source package of libpng1.6, against Debian's static MinGW zlib
# (libz-mingw-w64-dev), and install it into DEPS/include and DEPS/lib.
#
#   tools/build-libpng-mingw.sh DEPS
#
# Needs: dpkg-dev (apt-get source), cmake, g++-mingw-w64-x86-64-posix,
# libz-mingw-w64-dev, and a deb-src entry for Debian's main archive.  When
# there is none and we run as root, one is added for the running release.
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 DEPS" >&2; exit 2; }
top=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
deps=$(cd "$1" && pwd)
triple=x86_64-w64-mingw32

[ -f /usr/$triple/lib/libz.a ] || {
    echo "$0: /usr/$triple/lib/libz.a missing: install libz-mingw-w64-dev" >&2; exit 1; }

if ! apt-cache showsrc libpng1.6 2>/dev/null | grep -q '^Package:'; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "$0: no deb-src entry for libpng1.6; add one for Debian's main archive" >&2
        exit 1
    fi
    . /etc/os-release
    cat > /etc/apt/sources.list.d/pxl-debian-src.sources <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $VERSION_CODENAME $VERSION_CODENAME-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    apt-get update -qq
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source -qq libpng1.6 >/dev/null 2>&1) || {
    echo "$0: apt-get source libpng1.6 failed" >&2; exit 1; }
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'libpng*' | head -n 1)
[ -n "$src" ] || { echo "$0: no libpng source tree unpacked" >&2; exit 1; }

cmake -S "$src" -B "$work/build" \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$deps" \
    -DZLIB_LIBRARY=/usr/$triple/lib/libz.a \
    -DZLIB_INCLUDE_DIR=/usr/$triple/include \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DSKIP_INSTALL_PROGRAMS=ON >/dev/null
cmake --build "$work/build" -j2 >/dev/null
cmake --install "$work/build" >/dev/null

# One name the usual find modules know, whatever libpng called its archive.
[ -f "$deps/lib/libpng.a" ] || cp "$deps/lib/libpng16.a" "$deps/lib/libpng.a"
echo "libpng for $triple installed in $deps"
