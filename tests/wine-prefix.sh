#!/bin/sh
# Brings the test prefix up once per test run (created on first use, about 7 s)
# and keeps its wineserver alive until "down", so test processes start quickly.
set -e
: "${WINEPREFIX:?WINEPREFIX must name the test prefix}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case "$1" in
  up)
    mkdir -p "$WINEPREFIX"
    # Output goes elsewhere: processes left running must not hold the test's pipes open.
    /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
    /usr/lib/wine/wine64 wineboot --init </dev/null >"$WINEPREFIX/wineboot.log" 2>&1
    ;;
  down)
    /usr/lib/wine/wineserver -k || true
    ;;
  *)
    echo "usage: $0 up|down" >&2
    exit 2
    ;;
esac
