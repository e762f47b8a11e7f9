#!/usr/bin/env bash
# Lays out what an author copies onto a disc: build/package/vantrel/ holds the 32-bit exe as shipped
# and, as an example beside it, the sample menu's quorlin.dat and Data folder; build/package/vantrel.zip
# is the same folder zipped. The exe's debug information, vantrel.exe.debug, is put beside the zip,
# not in it: keep it with the release to read its crash dumps.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"
"$root/scripts/build-release.sh" win32

build="$root/build/release-win32"
out="$root/build/package"
rm -rf "$out"
mkdir -p "$out/vantrel"
cp "$build/src/app/vantrel.exe" "$build/sample/quorlin.dat" "$out/vantrel/"
cp -r "$build/sample/Data" "$out/vantrel/"
cp "$build/src/app/vantrel.exe.debug" "$out/"

python3 - "$out" <<'PY'
import os, sys, zipfile
out = sys.argv[1]
with zipfile.ZipFile(os.path.join(out, "vantrel.zip"), "w", zipfile.ZIP_DEFLATED) as z:
    for folder, dirs, files in os.walk(os.path.join(out, "vantrel")):
        dirs.sort()
        for name in sorted(files):
            path = os.path.join(folder, name)
            z.write(path, os.path.relpath(path, out))
PY
echo "package: $out/vantrel/ and $out/vantrel.zip ($(stat -c %s "$out/vantrel.zip") bytes)"
