#!/bin/sh
# Puts a few PSF console fonts of Debian's console-setup-linux package into
# DIR, decompressed and named in lower case. The package is downloaded and
# unpacked, never installed. Nothing is done when DIR already holds them.
# Exit status 2: the package could not be downloaded.
set -eu
dest=$1
fonts="Lat15-VGA16 Lat15-VGA8 Uni2-VGA16 Lat15-Terminus32x16 Lat15-TerminusBold20x10"
[ -f "$dest/complete" ] && exit 0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
apt-get download console-setup-linux >/dev/null 2>&1 || exit 2
dpkg -x console-setup-linux_*.deb pkg
mkdir out
for f in $fonts; do
    zcat "pkg/usr/share/consolefonts/$f.psf.gz" >"out/$(echo "$f" | tr A-Z a-z).psf"
done
touch out/complete
mkdir -p "$(dirname "$dest")"
# a rename, so that a reader never sees half the fonts
mv -T out "$dest" 2>/dev/null || [ -f "$dest/complete" ]
