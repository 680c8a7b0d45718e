#!/bin/sh
# Renders the reference pages of the viewer's tests headless into
# tests/zevgraph/ref/: the bundled examples at the window sizes the tests
# use. Look at old and new before committing a changed page.
# Usage: tools/make-page-refs.sh [BUILD_DIR]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$root/tests/zevgraph/ref"
for case in small:1 small:2 small:3 small:4 small:5 small:6 medium:3 large:3 large:6 \
            bad-header:2; do
    name=${case%:*}
    g=${case#*:}
    cp "$root/examples/$name.zev" "$work/"
    (cd "$work" && printf 's' | PXLDRV=memory "$build/bin/zevgraph" -g"$g" "$name.zev" 2>/dev/null)
    mv "$work/$name.png" "$root/tests/zevgraph/ref/$name-g$g.png"
done
