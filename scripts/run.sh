#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine as needed, builds Murvex32.exe for both
# architectures, renders the default wallpaper with the x64 build under wine64,
# then shows the program: its window on this display when there is one, else
# pictures of it taken in a virtual display, in build/screenshots/. With
# MURVEX_UPDATE_DOCS=1 they also replace the README's pictures in docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh x64 x86

export WINEPREFIX="$PWD/build/x64/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
exe="$PWD/build/x64/bin/Murvex32.exe"
sh tests/wine-prefix.sh up
wallpaper="$PWD/build/x64/Murvex-default.bmp"
$wine "$exe" /save "$wallpaper"

echo
echo "Murvex32.exe for Windows x64: $exe"
echo "Murvex32.exe for Windows x86: $PWD/build/x86/bin/Murvex32.exe"
echo "Default wallpaper rendered:   $wallpaper"

if [ -n "${DISPLAY:-}" ]; then
  echo "Opening the window on $DISPLAY; close it to end."
  $wine "$exe" || true
  sh tests/wine-prefix.sh down
  exit 0
fi

# No display: the window in a virtual one, photographed tab by tab, and Wine's
# desktop showing the wallpaper that /refresh installed, from a copy of the program
# whose master settings put it in the bottom-right corner inside a border.
bash scripts/setup.sh imagemagick
shots="$PWD/build/screenshots"
rm -rf "$shots" && mkdir -p "$shots"
windows_shots="Z:$(printf '%s' "$shots" | tr / '\\')"
tour="$PWD/build/x64/tour"
rm -rf "$tour" && mkdir -p "$tour"
cp "$exe" "$tour/Murvex32.exe"
printf '[General]\r\nPosition=4\r\nBorder=1\r\n' > "$tour/Murvex32.INI"
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c "
  sh tests/wine-prefix.sh up; sleep 2  # the desktop of 1280 x 1024 the wallpaper is made for, once it is up
  $wine '$tour/Murvex32.exe' /refresh
  /usr/lib/wine/wineserver -k; sleep 1  # the virtual desktop starts anew with the wallpaper
  $wine '$PWD/build/x64/bin/murvex-tour.exe' '$tour/Murvex32.exe' '$windows_shots'
  /usr/lib/wine/wineserver -k"
for picture in "$shots"/*.bmp; do
  name=$(basename "$picture" .bmp)
  /usr/bin/convert "$picture" "$shots/$name.png"
  rm "$picture"
  if [ "${MURVEX_UPDATE_DOCS:-0}" = 1 ]; then cp "$shots/$name.png" "docs/$name.png"; fi
done
echo "Pictures of the window and the desktop:"
ls -1 "$shots"/*.png
