#!/usr/bin/env bash
# Set up, build and start the sample menu: vantrel.exe beside the packed sample store.
# With a display it opens there; with none it runs inside Xvfb, and a screenshot is saved.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${VANTREL_SAMPLE_SECONDS:-8}

"$root/scripts/setup.sh"
"$root/scripts/build.sh"

arch=$("$root/scripts/wine-arch")
build="$root/build/$arch"
sample="$build/sample"
mkdir -p "$sample"
cp "$build/src/app/vantrel.exe" "$sample/"
if [ -f "$build/zlib1.dll" ]; then cp "$build/zlib1.dll" "$sample/"; fi

headless=""
if [ -z "${DISPLAY:-}" ]; then headless=1; fi
source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start

log="$root/build/sample.log"
(cd "$sample" && "$VANTREL_WINE" vantrel.exe >"$log" 2>&1 </dev/null) &
app=$!
if [ -n "$headless" ]; then
  sleep "$seconds"
  shot="$root/build/sample-screenshot.png"
  import -display "$DISPLAY" -window root "$shot"
  echo "sample menu running headless; screenshot saved to $shot"
  kill "$app" 2>/dev/null || true
else
  echo "sample menu started on $DISPLAY; close its window to end"
  wait "$app" || true
fi
