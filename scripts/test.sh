#!/usr/bin/env bash
# Set up, build and run every test: the native sanitizer tests, then the Windows tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${VANTREL_JOBS:-$(nproc)}

# The image tests read PngSuite from the shared test data beside the checkout: without it they
# could only fail, so say so before anything is built.
shared=${VANTREL_SHARED_DIR:-$(dirname "$root")/shared}
if [ ! -d "$shared/testdata/pngsuite" ]; then
  echo "test.sh: the shared test data is missing: no folder $shared/testdata/pngsuite" >&2
  echo "  Put the shared folder beside the checkout, or set VANTREL_SHARED_DIR to where it is." >&2
  exit 1
fi
export VANTREL_SHARED_DIR=$(cd "$shared" && pwd)

"$root/scripts/setup.sh"
"$root/scripts/build.sh"

echo "== native tests (sanitizers)"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir "$root/build/native" -j "$jobs" --output-on-failure

echo "== 32-bit tests (qemu-i386, UBSan)"
ctest --test-dir "$root/build/linux32" -j "$jobs" --output-on-failure

echo "== fuzz smoke run"
"$root/scripts/fuzz-smoke.sh"

source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
echo "== Windows tests (Wine, $WINEARCH)"
ctest --test-dir "$root/build/$WINEARCH" -j "$jobs" --output-on-failure
