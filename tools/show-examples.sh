#!/bin/sh
# Shows the pages of the bundled examples: in a window when there is an X
# display, else rendered headless (on the memory driver, keys from this
# script) as PNG images into BUILD_DIR/pages/.
# Usage: tools/show-examples.sh [BUILD_DIR]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
files="small.zev medium.zev large.zev"
if [ -n "${DISPLAY:-}" ]; then
    echo "zevgraph in a window: Backspace back, Esc quit, s save, any other key next"
    cd "$root/examples"
    exec "$build/bin/zevgraph" $files
fi
mkdir -p "$build/pages"
for f in $files; do
    cp "$root/examples/$f" "$build/pages/"
done
cd "$build/pages"
# s saves a page and shows it again; a space moves on
printf 's s s ' | PXLDRV=memory "$build/bin/zevgraph" $files
echo "No display: the pages were rendered headless into $build/pages/:"
ls "$build/pages/"*.png
