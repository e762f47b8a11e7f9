#!/usr/bin/env bash
# Builds the native configuration (window-free code with the sanitizers, host tools such as the
# store packer), then the Windows configuration for 32-bit Windows (the product), which uses those
# host tools. Where this machine cannot run 32-bit programs, the Windows tests are also built for
# 64-bit Windows, since only those can run here under Wine (see scripts/wine-arch).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${VANTREL_JOBS:-$(nproc)}
native="$root/build/native"
arch=$("$root/scripts/wine-arch")
# ccache, where installed, serves repeated builds and several work trees of one machine.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$root")}"
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# The shared test data: ../shared beside the checkout unless VANTREL_SHARED_DIR names another place.
shared=(-DVANTREL_SHARED_DIR="${VANTREL_SHARED_DIR:-$root/../shared}")

cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" "${shared[@]}" >/dev/null
cmake --build "$native" -j "$jobs"

# The window-free code and its tests again for 32-bit x86 Linux (32-bit size_t as in the product,
# UndefinedBehaviorSanitizer); test.sh runs them under qemu-i386.
cmake -S "$root" -B "$root/build/linux32" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/linux-i386.cmake" -DVANTREL_SANITIZERS=undefined \
  "${launcher[@]}" "${shared[@]}" >/dev/null
cmake --build "$root/build/linux32" -j "$jobs"

cross() {  # cross <build folder> <toolchain> <build tests: ON|OFF>
  cmake -S "$root" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2" -DVANTREL_TESTS="$3" \
    -DVANTREL_HOST_TOOLS="$native/tools" "${launcher[@]}" "${shared[@]}" >/dev/null
  cmake --build "$1" -j "$jobs"
}

if [ "$arch" = win32 ]; then
  cross "$root/build/win32" mingw-i686.cmake ON
  # Machines that refuse 32-bit programs run the x86-64 build's tests; CI compiles it here too,
  # so that code which is not pointer-size clean fails before it reaches such a machine.
  if [ -n "${CI:-}${VANTREL_BUILD_WIN64:-}" ]; then
    cross "$root/build/win64" mingw-x86_64.cmake ON
  fi
else
  cross "$root/build/win32" mingw-i686.cmake OFF
  cross "$root/build/win64" mingw-x86_64.cmake ON
fi
