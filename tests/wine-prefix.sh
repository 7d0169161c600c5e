#!/bin/sh
# Brings the test prefix up once per test run (created on first use, about 7 s)
# and keeps its wineserver alive until "down", so test processes start quickly.
# Windows open inside one virtual desktop: no window manager is needed, and
# showing or hiding a window does not wait on the X server.
set -e
: "${WINEPREFIX:?WINEPREFIX must name the test prefix}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
case "$1" in
  up)
    mkdir -p "$WINEPREFIX"
    # Output goes elsewhere: processes left running must not hold the test's pipes open.
    /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 || true  # already running is fine
    $wine wineboot --init </dev/null >"$WINEPREFIX/wineboot.log" 2>&1
    $wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
    $wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f </dev/null >/dev/null 2>&1
    # The desktop kept for the whole run: left alone it ends with the last window, and
    # the next program to make one then waits 10 s while Wine starts it again (an RPC
    # service it asks for never comes).
    $wine explorer.exe /desktop=Default,1280x1024 </dev/null >/dev/null 2>&1 &
    ;;
  down)
    /usr/lib/wine/wineserver -k || true
    ;;
  *)
    echo "usage: $0 up|down" >&2
    exit 2
    ;;
esac
