#!/bin/sh
# Display scaling, for real: a Wine prefix of its own at 192 dots per inch (LogPixels,
# read when the prefix's wineserver starts). A font stored by a 96-DPI screen, with or
# without FontDpi, draws as a font of twice the pixels stored at 192; one stored at 192
# draws as it is. Compared byte for byte on the Linux side. Needs a display.
set -eu
bin=$(cd "$1" && pwd)
export WINEPREFIX="$(dirname "$bin")/scalingprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
work=$(mktemp -d)
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
[ -d "$WINEPREFIX/drive_c/windows" ] || $wine wineboot -i >/dev/null 2>&1
$wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
/usr/lib/wine/wineserver -k 2>/dev/null || true  # the next start reads the resolution
cp "$bin/Murvex32.exe" "$work/"
# Arial bold, 13 and 26 pixels high.
font13=DPPPPPPPAAAAAAAAAAAAAAAAAAAAAAAAMLCAAAAAAAAAAAAAAAAAAAAABECHJGBGMGAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA
font26=GOPPPPPPAAAAAAAAAAAAAAAAAAAAAAAAMLCAAAAAAAAAAAAAAAAAAAAABECHJGBGMGAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA
save() {  # name, then the [General] lines of the master settings
  name=$1; shift
  printf '[General]\r\nCaptions=0\r\nLogo=0\r\n' > "$work/Murvex32.INI"
  for line in "$@"; do printf '%s\r\n' "$line" >> "$work/Murvex32.INI"; done
  printf '[Notes]\r\nNotes=Rack 4, slot 2\r\n' >> "$work/Murvex32.INI"
  $wine "$work/Murvex32.exe" /save "$work/$name.bmp" || { echo "display-scaling: /save $name failed" >&2; exit 1; }
}
save unstated "Font=$font13"
save at96 "Font=$font13" "FontDpi=96"
save at192 "Font=$font26" "FontDpi=192"
cmp -s "$work/unstated.bmp" "$work/at192.bmp" || { echo "display-scaling: a font without FontDpi is not drawn at 96 DPI's size" >&2; exit 1; }
cmp -s "$work/at96.bmp" "$work/at192.bmp" || { echo "display-scaling: a 96-DPI font does not keep its size at 192" >&2; exit 1; }
save twice "Font=$font26" "FontDpi=96"
! cmp -s "$work/twice.bmp" "$work/at192.bmp" || { echo "display-scaling: FontDpi is ignored" >&2; exit 1; }
echo "display-scaling: passed"
