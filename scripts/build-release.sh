#!/usr/bin/env bash
# Builds the exe as shipped: optimised for size, unused code dropped, its debug information in
# vantrel.exe.debug beside it; and the packed sample menu. Only the store packer (natively) and
# these are built, nothing of the tests.
#   build/release-<arch>/src/app/vantrel.exe, build/release-<arch>/sample/
# Usage: build-release.sh [win32|win64]...   (default: win32, the product's own architecture)
set -euo pipefail
source "$(dirname "$0")/build-common.sh"
for arch in "${@:-win32}"; do
  toolchain "$arch" >/dev/null
  build_release "$arch"
done
