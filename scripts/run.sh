#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine as needed, builds Murvex32.exe for both
# architectures and renders the default wallpaper with the x64 build under wine64.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh x64 x86

export WINEPREFIX="$PWD/build/x64/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wine64 wineboot --init </dev/null >/dev/null 2>&1
wallpaper="$PWD/build/x64/Murvex-default.bmp"
/usr/lib/wine/wine64 build/x64/bin/Murvex32.exe /save "$wallpaper"
/usr/lib/wine/wineserver -k || true

echo
echo "Murvex32.exe for Windows x64: $PWD/build/x64/bin/Murvex32.exe"
echo "Murvex32.exe for Windows x86: $PWD/build/x86/bin/Murvex32.exe"
echo "Default wallpaper rendered:   $wallpaper"
