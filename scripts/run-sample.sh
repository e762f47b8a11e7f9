#!/usr/bin/env bash
# Set up, build and start the sample menu: the exe as shipped beside the packed sample store. Only
# what that needs is built (the store packer and the release build, scripts/build-release.sh), for
# the Wine architecture this machine runs. With a display it opens there; with none it runs inside
# Xvfb, and a screenshot is saved.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${VANTREL_SAMPLE_SECONDS:-8}

"$root/scripts/setup.sh"
arch=$("$root/scripts/wine-arch")
"$root/scripts/build-release.sh" "$arch"

build="$root/build/release-$arch"
sample="$build/sample"
cp "$build/src/app/vantrel.exe" "$sample/"

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
