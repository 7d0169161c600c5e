#!/usr/bin/env bash
# Fails when an exe imports a DLL that Windows does not ship: the program is one
# file with nothing beside it.
set -euo pipefail
objdump=$1
exe=$2
allowed='^(kernel32|user32|gdi32|advapi32|comctl32|comdlg32|shell32|shlwapi|version|msvcrt)\.dll$'
status=0
while read -r dll; do
  if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
    echo "$exe imports $dll, which Windows does not provide" >&2
    status=1
  fi
done < <("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
exit $status
