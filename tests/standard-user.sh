#!/bin/sh
# A standard user's logon, for real: Wine run as an ordinary Unix user whose Windows
# directory is read-only, as it is for a standard user on Windows (as root Wine writes
# anywhere). Needs root to make the user; skipped (77) otherwise.
set -eu
bin=$1
[ "$(id -u)" -eq 0 ] || { echo "standard-user: not root, skipped"; exit 77; }
user=murvexuser
id -u "$user" >/dev/null 2>&1 || useradd -m "$user"
home=$(getent passwd "$user" | cut -d: -f6)
prefix=$home/pfx
wine=/usr/lib/wine/wine64
as_user() { runuser -u "$user" -- env HOME="$home" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" "$@"; }
fail() { echo "standard-user: $*" >&2; as_user /usr/lib/wine/wineserver -k || true; exit 1; }

[ -d "$prefix/drive_c/windows" ] || as_user $wine wineboot -i >/dev/null 2>&1
chmod a-w "$prefix/drive_c/windows"
work=$home/murvex-test
rm -rf "$work" "$prefix/drive_c/users/$user/AppData/Local/Murvex"
mkdir -p "$work"
cp "$bin/Murvex32.exe" "$bin/settings_tests.exe" "$work/"
chown -R "$user" "$work"
folder=$prefix/drive_c/users/$user/AppData/Local/Murvex

# /refresh: done (exit 0), the wallpaper in the user's own folder and installed from there.
as_user $wine "$work/Murvex32.exe" /refresh || fail "/refresh exited $?"
[ ! -e "$prefix/drive_c/windows/Orvalin.bmp" ] || fail "wrote the Windows directory"
[ "$(head -c 2 "$folder/Orvalin.bmp")" = "BM" ] || fail "no wallpaper in $folder"
[ "$(od -An -tu1 -j28 -N1 "$folder/Orvalin.bmp" | tr -d ' ')" = 1 ] || fail "not a one-bit bitmap"
as_user $wine reg query 'HKCU\Control Panel\Desktop' /v Wallpaper | tr -d '\r' |
  grep -qi 'AppData\\Local\\Murvex\\Orvalin.bmp' || fail "the desktop's Wallpaper is not the user's file"

# The window's settings save, and the next start reads them, in process.
as_user env MURVEX_STANDARD_USER=1 $wine "$work/settings_tests.exe" --gtest_filter='StandardUser.*' ||
  fail "settings as a standard user"
as_user /usr/lib/wine/wineserver -k || true
echo "standard-user: passed"
