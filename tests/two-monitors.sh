#!/bin/sh
# Two monitors, for real: Xvfb always shows Wine one monitor, a headless Xorg with the
# dummy video driver shows it every output that has a mode. Runs the two-monitor
# window test with the second monitor right of the primary, then left of it
# (negative coordinates), in a Wine prefix of its own without a virtual desktop
# (which would be one monitor again). Skipped (77) without Xorg's dummy driver.
set -eu
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
xorg=/usr/lib/xorg/Xorg
[ -x "$xorg" ] && [ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] || { echo "two-monitors: no Xorg dummy driver, skipped"; exit 77; }
export WINEPREFIX="$(dirname "$bin")/monitorprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
server=
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; [ -z "$server" ] || kill "$server" 2>/dev/null || true; rm -rf "$work"' EXIT
display=40
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
export DISPLAY=":$display"
status=0
# Right of the primary as the file has it; left of it with the two positions swapped
# (Wine puts the primary at 0,0, so the second monitor then lies at -1280,0).
for layout in right left; do
  if [ "$layout" = right ]; then cp "$here/xorg-two-monitors.conf" "$work/xorg.conf"
  else sed -e 's/"0 0"/"1280 0"/' -e 's/"1920 0"/"0 0"/' "$here/xorg-two-monitors.conf" > "$work/xorg.conf"; fi
  "$xorg" "$DISPLAY" -config "$work/xorg.conf" -noreset -nolisten tcp -logfile "$work/xorg.log" >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 1 100); do xrandr --listmonitors >/dev/null 2>&1 && break; sleep 0.1; done
  xrandr --listmonitors >/dev/null 2>&1 || { echo "two-monitors: Xorg did not start" >&2; cat "$work/xorg.log" >&2; exit 1; }
  [ -d "$WINEPREFIX/drive_c/windows" ] || /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
  echo "two-monitors: second monitor $layout of the primary"
  MURVEX_TWO_MONITORS=1 /usr/lib/wine/wine64 "$bin/app_tests.exe" --gtest_filter='MainWindow.TwoMonitors' || status=1
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  kill "$server"; wait "$server" 2>/dev/null || true
  server=
done
exit $status
