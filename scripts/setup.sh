#!/usr/bin/env bash
# Installs the Debian packages that building and testing Murvex need, where missing;
# further package names given as arguments are installed too (the run command's pictures).
# Only Debian's packages; never wine32 (this kind of machine cannot run 32-bit code,
# and with wine32 present the plain wine launcher fails).
set -euo pipefail

packages=(
  cmake ninja-build
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  googletest
  wine64 fonts-wine xvfb xauth fonts-liberation
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  python3
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages: ${missing[*]}; run as root to install them" >&2
  exit 1
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
