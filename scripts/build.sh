#!/usr/bin/env bash
# Builds the native configuration (window-free code with the sanitizers, host tools such as the
# store packer), then the Windows configurations, which use those host tools: the tests' build of
# the program for the Wine architecture this machine runs (see scripts/wine-arch), and the exe as
# shipped for 32-bit Windows (scripts/build-release.sh).
set -euo pipefail
source "$(dirname "$0")/build-common.sh"
arch=$("$root/scripts/wine-arch")

configure_native
cmake --build "$native" -j "$jobs"

# The window-free code and its tests again for 32-bit x86 Linux (32-bit size_t as in the product,
# UndefinedBehaviorSanitizer); test.sh runs them under qemu-i386.
cmake -S "$root" -B "$root/build/linux32" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/linux-i386.cmake" -DVANTREL_SANITIZERS=undefined \
  "${launcher[@]}" >/dev/null
cmake --build "$root/build/linux32" -j "$jobs"

if [ "$arch" = win32 ]; then
  configure_windows win32 ON
  cmake --build "$root/build/win32" -j "$jobs"
  # Machines that refuse 32-bit programs run the x86-64 build's tests; CI compiles it here too,
  # so that code which is not pointer-size clean fails before it reaches such a machine.
  if [ -n "${CI:-}${VANTREL_BUILD_WIN64:-}" ]; then
    configure_windows win64 ON
    cmake --build "$root/build/win64" -j "$jobs"
  fi
else
  configure_windows win64 ON
  cmake --build "$root/build/win64" -j "$jobs"
fi

# The product itself, 32-bit; on a machine that tests the x86-64 build this is also what compiles
# the code for 32 bits.
build_release win32
