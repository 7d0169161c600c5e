#!/usr/bin/env bash
# Fails when an exe imports a DLL that is not one of Windows' known DLLs (loaded from
# the system folder whatever lies beside the exe), or comctl32, which the manifest
# binds: any other DLL is searched for in the exe's folder first, where a planted one
# would run in every logon. Such DLLs are loaded from the system folder at run time.
set -euo pipefail
objdump=$1
exe=$2
allowed='^(kernel32|user32|gdi32|advapi32|comctl32|comdlg32|shell32|shlwapi|msvcrt|ole32|oleaut32|ws2_32)\.dll$'
status=0
while read -r dll; do
  if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
    echo "$exe imports $dll, which is not a known DLL: load it from the system folder at run time" >&2
    status=1
  fi
done < <("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
exit $status
