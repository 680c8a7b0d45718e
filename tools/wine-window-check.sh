#!/usr/bin/env bash
# The Windows program in a real window: zevgraph.exe runs under Wine on a
# private Xvfb display, gets its keys from xdotool (the window focused
# first, as a user would click it), saves its page with 's' and ends with
# Esc. The saved page must equal, pixel for pixel, the page the Linux
# build saves for the same file, outside the line of the absolute path.
#
#   tools/wine-window-check.sh LINUX_BUILD WINDOWS_BUILD [FILE.zev [G]]
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 LINUX_BUILD WINDOWS_BUILD [FILE.zev [G]]" >&2; exit 2; }
top=$(cd "$(dirname "$0")/.." && pwd)
linux=$(cd "$1" && pwd)
win=$(cd "$2" && pwd)
data=${3:-$top/examples/small.zev}
g=${4:-3}
name=$(basename "$data" .zev)
path_rows="16 23"  # the absolute path under the title

work=$(mktemp -d)
xvfb= prog=
cleanup() {
    [ -z "$prog" ] || kill "$prog" 2>/dev/null || true
    WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "$0: $*" >&2; exit 1; }

# Waits up to $1 tenths of a second for the command after it to succeed.
await() {
    local n=$1
    shift
    for _ in $(seq "$n"); do "$@" && return 0; sleep 0.1; done
    return 1
}

# the Linux page: the memory driver, keys on standard input
mkdir "$work/linux" "$work/win"
cp "$data" "$work/linux/" && cp "$data" "$work/win/"
(cd "$work/linux" && printf s | PXLDRV=memory "$linux/bin/zevgraph" -g"$g" "$name.zev")
[ -f "$work/linux/$name.png" ] || fail "the Linux build saved no page"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
await 100 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display") WINEPREFIX=$work/prefix WINEDEBUG=-all
wineboot -i >/dev/null 2>&1

# the Windows page: its window, the keys from the X server
(cd "$work/win" && exec wine "$win/bin/zevgraph.exe" -g"$g" "$name.zev" >out 2>err) &
prog=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^PXL$' | head -n 1) ||
    fail "no window named PXL"
xdotool windowfocus --sync "$window"
xdotool key s
await 300 test -s "$work/win/$name.png" || fail "'s' saved no page"
sleep 1  # the file is renamed into place whole; let the program wait for keys again
xdotool windowfocus --sync "$window"
xdotool key Escape
status=0
wait "$prog" || status=$?
prog=
[ "$status" -eq 0 ] || fail "zevgraph.exe ended with status $status: $(cat "$work/win/err")"
[ ! -s "$work/win/err" ] || fail "zevgraph.exe wrote: $(cat "$work/win/err")"

# shellcheck disable=SC2086
"$linux/bin/pngdiff" "$work/linux/$name.png" "$work/win/$name.png" $path_rows ||
    fail "the Windows page differs from the Linux page"
echo "zevgraph.exe under Wine: window, keys and saved page as on Linux"
