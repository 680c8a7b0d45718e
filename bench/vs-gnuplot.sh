#!/bin/sh
# Whole process, side by side in one run: zevgraph renders the 640x480 page
# of the 5120-variable example headless and saves it as PNG; gnuplot plots
# the same three curves (average + sd dashed, average, average - sd cut at
# zero dashed) into its png and its pngcairo terminals at the same size.
# Needs hyperfine and gnuplot (Debian gnuplot-nox).
# Usage: bench/vs-gnuplot.sh [BUILD_DIR]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/examples/large.zev" "$work/"
cd "$work"
for term in png pngcairo; do
    cat >"$term.gp" <<GP
set terminal $term size 640,480
set output '$term.png'
set title 'Averages & standard deviations'
set xlabel 'Variable'
set grid
plot 'large.zev' skip 1 using 1:(\$2+\$4) with lines dashtype 2 lc black notitle, \
     '' skip 1 using 1:2 with lines lc black notitle, \
     '' skip 1 using 1:((\$2-\$4) > 0 ? int(\$2-\$4) : 0) with lines dashtype 2 lc black notitle
GP
done
# every command through one shell, since zevgraph takes its key on stdin
printf s >keys
hyperfine --warmup 3 --min-runs 30 \
    -n zevgraph "PXLDRV=memory '$build/bin/zevgraph' large.zev <keys" \
    -n 'gnuplot png' "gnuplot png.gp" \
    -n 'gnuplot pngcairo' "gnuplot pngcairo.gp"
