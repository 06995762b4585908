#!/usr/bin/env bash
# check-imports.sh TRIPLET EXE...: fails when a program imports a DLL that Windows does not ship.
set -euo pipefail
triplet=$1; shift
system='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|shlwapi|ole32|oleaut32|advapi32|msimg32|wininet|msvcrt|version|uxtheme|ws2_32|api-ms-win-.*)\.dll$'
status=0
for exe in "$@"; do
  while read -r dll; do
    if ! grep -qiE "$system" <<<"$dll"; then
      echo "$exe imports $dll"; status=1
    fi
  done < <("$triplet-objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
done
exit $status
