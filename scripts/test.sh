#!/usr/bin/env bash
# Set up, build and run every test: the native sanitizer tests, a check of the release exe, then the
# Windows tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${VANTREL_JOBS:-$(nproc)}

"$root/scripts/setup.sh"
"$root/scripts/build.sh"

echo "== native tests (sanitizers)"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir "$root/build/native" -j "$jobs" --output-on-failure

echo "== 32-bit tests (qemu-i386, UBSan)"
ctest --test-dir "$root/build/linux32" -j "$jobs" --output-on-failure

echo "== fuzz smoke run"
"$root/scripts/fuzz-smoke.sh"

echo "== release exe"
"$root/scripts/check-release.sh" win32

source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
echo "== Windows tests (Wine, $WINEARCH)"
ctest --test-dir "$root/build/$WINEARCH" -j "$jobs" --output-on-failure
