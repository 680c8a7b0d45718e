#!/usr/bin/env bash
# Runs the tests of a Windows cross build under Wine: a fresh Wine prefix,
# no Wine debug chatter, and a private Xvfb display (Wine wants one, and the
# window driver needs one).  Everything started here is stopped again.
#
#   tools/wine-ctest.sh BUILD [ctest options]
set -euo pipefail

[ $# -ge 1 ] || { echo "usage: $0 BUILD [ctest options]" >&2; exit 2; }
build=$1
shift

work=$(mktemp -d)
xvfb=
cleanup() {
    WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to fd 3
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "$0: Xvfb did not start" >&2; exit 1; }

export DISPLAY=:$(cat "$work/display") WINEPREFIX=$work/prefix WINEDEBUG=-all
wineboot -i >/dev/null 2>&1
ctest --test-dir "$build" --output-on-failure -j2 "$@"
