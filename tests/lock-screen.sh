#!/bin/sh
# /lockscreen on both of Windows' paths, in the test prefix: Windows 7 (Wine's own
# answer) writes the OEM background JPEG, a copy of the program that Wine tells it is
# Windows 10 writes the PersonalizationCSP PNG. The pictures are read here, on the Linux
# side (tests/picture-facts.py), never with the codecs that wrote them.
set -eu
bin=$1
here=$(cd "$(dirname "$0")" && pwd)
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "lock-screen: $*" >&2; exit 1; }
drive=$WINEPREFIX/drive_c
jpeg=$drive/windows/system32/oobe/info/backgrounds/backgroundDefault.jpg
data=$drive/ProgramData/Murvex
oem='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Authentication\LogonUI\Background'
csp='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\PersonalizationCSP'
value() { $wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { print $3 }'; }
facts() { python3 "$here/picture-facts.py" "$1"; }
# run NAME ARGUMENTS...: the copy NAME.exe with its settings NAME.INI beside it.
run() { name=$1; shift; status=0; $wine "$work/$name.exe" "$@" >"$work/out" 2>"$work/err" || status=$?; }
settings() { printf '%b' "$2" >"$work/$1.INI"; }
for name in Lock7 Lock10 LockVista; do cp "$bin/Murvex32.exe" "$work/$name.exe"; done
$wine reg add 'HKCU\Software\Wine\AppDefaults\Lock10.exe' /v Version /d win10 /f >/dev/null 2>&1
$wine reg add 'HKCU\Software\Wine\AppDefaults\LockVista.exe' /v Version /d vista /f >/dev/null 2>&1
# Red on green, with the grid, the user's name and an environment variable ticked: none
# of these three reaches a screen shown before anyone signs in.
everything='[General]\r\nGrid=1\r\nColorSelect=2\r\nForegroundColor=255\r\nBackgroundColor=65280\r\n[Captions]\r\nUser=1\r\n[Custom]\r\nLabel1=Site:\r\nSource1=env:PATH\r\n'
machineWide='[General]\r\nColorSelect=2\r\nForegroundColor=255\r\nBackgroundColor=65280\r\n'

# Windows 7: a marked JPEG under 256 KB of the monitor's size, and the value that shows it.
$wine reg delete "$oem" /v OEMBackground /f >/dev/null 2>&1 || true
rm -rf "$jpeg" "$data"
settings Lock7 "$everything"
run Lock7 /lockscreen
[ $status -eq 0 ] || fail "Windows 7: exit $status: $(cat "$work/err")"
grep -q 'backgroundDefault.jpg, 1280 x 1024 (the primary monitor)' "$work/out" || fail "Windows 7 said: $(cat "$work/out")"
[ "$(facts "$jpeg")" = "JPEG 1280 1024 marked" ] || fail "Windows 7 picture: $(facts "$jpeg")"
[ "$(stat -c %s "$jpeg")" -lt 262144 ] || fail "Windows 7 picture of $(stat -c %s "$jpeg") bytes"
[ "$(value "$oem" OEMBackground)" = 0x1 ] || fail "OEMBackground not set"
run Lock7 /lockscreen off
[ $status -eq 0 ] && [ ! -e "$jpeg" ] && [ -z "$(value "$oem" OEMBackground)" ] || fail "Windows 7: off left something"
run Lock7 /lockscreen off; [ $status -eq 0 ] || fail "Windows 7: off with nothing to remove: exit $status"
# A write that fails (a folder where the file goes) leaves no value and no stray file.
mkdir -p "$jpeg"
run Lock7 /lockscreen
[ $status -eq 1 ] && [ -s "$work/err" ] || fail "Windows 7: a failed write gave exit $status"
[ -z "$(value "$oem" OEMBackground)" ] || fail "Windows 7: a failed write left OEMBackground"
[ "$(ls -A "$(dirname "$jpeg")")" = backgroundDefault.jpg ] || fail "Windows 7: stray files: $(ls -A "$(dirname "$jpeg")")"
rmdir "$jpeg"
# The maker's own background is kept, and comes back with off.
printf 'maker' >"$jpeg"
run Lock7 /lockscreen
[ $status -eq 0 ] && [ "$(facts "$jpeg")" = "JPEG 1280 1024 marked" ] || fail "Windows 7 over the maker's background"
run Lock7 /lockscreen off
[ "$(cat "$jpeg")" = maker ] || fail "the maker's background did not come back"
rm -f "$jpeg"
$wine reg delete "$oem" /v OEMBackground /f >/dev/null 2>&1 || true

# Windows 10: a new one-bit PNG each run in the wallpaper's colours, centred, the three
# values on it, the one before removed.
settings Lock10 "$everything"
run Lock10 /lockscreen
[ $status -eq 0 ] || fail "Windows 10: exit $status: $(cat "$work/err")"
first=$(facts "$data/LockScreen-1.png")
set -- $first
[ "$1 $2 $3 $4 $5" = "PNG 1280 1024 1 ff0000,00ff00" ] || fail "Windows 10 picture: $first"
[ $(( ($6 + $8) / 2 )) -ge 630 ] && [ $(( ($6 + $8) / 2 )) -le 650 ] || fail "not centred: $first"
[ "$(value "$csp" LockScreenImagePath)" = 'C:\ProgramData\Murvex\LockScreen-1.png' ] &&
  [ "$(value "$csp" LockScreenImageUrl)" = 'C:\ProgramData\Murvex\LockScreen-1.png' ] &&
  [ "$(value "$csp" LockScreenImageStatus)" = 0x1 ] || fail "Windows 10 values"
cp "$data/LockScreen-1.png" "$work/first.png"
# The same settings without the grid and the user's lines: the very same picture.
settings Lock10 "$machineWide"
run Lock10 /lockscreen
[ $status -eq 0 ] && [ ! -e "$data/LockScreen-1.png" ] || fail "Windows 10: a second run kept the first file"
cmp -s "$work/first.png" "$data/LockScreen-2.png" || fail "a user's line or the grid reached the lock screen"
[ "$(value "$csp" LockScreenImagePath)" = 'C:\ProgramData\Murvex\LockScreen-2.png' ] || fail "the path did not follow"
# A corner: the content at the bottom right.
settings Lock10 "${machineWide}Position=4\r\n"
run Lock10 /lockscreen
set -- $(facts "$data/LockScreen-3.png")
[ "$8" -gt 1200 ] && [ "$9" -gt 950 ] || fail "not in the corner: $*"
run Lock10 /lockscreen off
[ $status -eq 0 ] && [ -z "$(value "$csp" LockScreenImagePath)" ] && [ ! -e "$data" ] || fail "Windows 10: off left something"
# Neither path before Windows 7.
run LockVista /lockscreen
[ $status -eq 1 ] && grep -q 'the lock screen cannot be set on this system' "$work/err" || fail "Vista: exit $status"
echo "lock-screen: passed"
