#!/usr/bin/env bash
# Checks the exe as shipped (build/release-<arch>, made by build-release.sh): it imports system DLLs
# only (the runtime is linked in; zlib1.dll is loaded at run time when present), carries no debug
# information, and names its debug file, which is there. Prints the sizes and the imports.
# Usage: check-release.sh [win32|win64]   (default: win32)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-win32}
case "$arch" in
  win32) objdump=i686-w64-mingw32-objdump ;;
  win64) objdump=x86_64-w64-mingw32-objdump ;;
  *) echo "unknown Windows architecture: $arch" >&2; exit 1 ;;
esac
exe="$root/build/release-$arch/src/app/vantrel.exe"
debug="$exe.debug"

# DLLs that every Windows the program supports has.
system='^(kernel32|user32|gdi32|gdiplus|comctl32|comdlg32|msimg32|winmm|shlwapi|uxtheme|ole32|oleaut32|shell32|advapi32|msvcrt)\.dll$'

status=0
imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort -fu)
echo "$exe: $(stat -c %s "$exe") bytes; $debug: $(stat -c %s "$debug") bytes"
echo "imports: $(echo $imports)"
if other=$(echo "$imports" | grep -viE "$system"); then
  echo "error: the exe imports DLLs that are not the system's: $(echo $other)" >&2
  status=1
fi
sections=$("$objdump" -h "$exe" | awk '{print $2}')
if echo "$sections" | grep -q '^\.debug_'; then
  echo "error: the exe still carries debug information" >&2
  status=1
fi
if ! echo "$sections" | grep -qx '\.gnu_debuglink'; then
  echo "error: the exe does not name its debug file" >&2
  status=1
fi
exit $status
