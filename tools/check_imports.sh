#!/usr/bin/env bash
# Checks that Windows executables import only DLLs that every Windows system
# has, so that the .scr runs from a bare copy with nothing installed beside it.
# Usage: tools/check_imports.sh FILE.exe|FILE.scr...   Exits 1 naming each
# offending import (or a file that is no PE image), 0 when all are clean.
set -euo pipefail

objdump="${QUENDRAL_OBJDUMP:-x86_64-w64-mingw32-objdump}"
command -v "$objdump" >/dev/null || { echo "check_imports: $objdump is missing: run tools/setup.sh" >&2; exit 2; }
[ $# -gt 0 ] || { echo "usage: $0 FILE..." >&2; exit 2; }

# System DLLs, compared without regard to case.  The runtime is the system's
# msvcrt.dll (Debian's MinGW-w64); a UCRT toolchain would import ucrtbase and
# the api-ms-win-crt-* forwarders instead, which Windows 10 and later carry.
is_system_dll() {
  case "${1,,}" in
    kernel32.dll | user32.dll | gdi32.dll | shell32.dll | advapi32.dll | opengl32.dll | msvcrt.dll) return 0 ;;
    ucrtbase.dll | api-ms-win-crt-*.dll) return 0 ;;
  esac
  return 1
}

status=0
for file in "$@"; do
  if ! dump=$("$objdump" -p "$file" 2>&1) || ! grep -q "file format pei-" <<<"$dump"; then
    echo "check_imports: $file: not a Windows PE image" >&2
    status=1
    continue
  fi
  while read -r dll; do
    if ! is_system_dll "$dll"; then
      echo "check_imports: $file imports $dll, which is not a Windows system DLL" >&2
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | sort -u)
done
exit $status
