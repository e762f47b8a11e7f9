# Sourced by the build scripts: the number of jobs, ccache where installed, and the configurations
# they share. Every configuration is set up the same way whichever script builds it first, so that
# the others reuse it.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${VANTREL_JOBS:-$(nproc)}
native="$root/build/native"
# ccache, where installed, serves repeated builds and several work trees of one machine.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$root")}"
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# Window-free code with the sanitizers, and the host tools (the store packer).
configure_native() {
  cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
}

toolchain() {  # toolchain <win32|win64>: the MinGW toolchain file of that Windows architecture
  case "$1" in
    win32) echo "$root/cmake/mingw-i686.cmake" ;;
    win64) echo "$root/cmake/mingw-x86_64.cmake" ;;
    *) echo "unknown Windows architecture: $1" >&2; return 1 ;;
  esac
}

# The test configuration of a Windows architecture: build/<arch>, the program with debug information.
configure_windows() {  # configure_windows <win32|win64> <build tests: ON|OFF>
  cmake -S "$root" -B "$root/build/$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$(toolchain "$1")" -DVANTREL_TESTS="$2" \
    -DVANTREL_HOST_TOOLS="$native/tools" "${launcher[@]}" >/dev/null
}

# The exe as shipped, and the packed sample beside it: build/release-<arch>. It needs only the
# store packer of the native configuration, so that is the one native target built here.
build_release() {  # build_release <win32|win64>
  configure_native
  cmake --build "$native" -j "$jobs" --target arcpack
  cmake -S "$root" -B "$root/build/release-$1" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_TOOLCHAIN_FILE="$(toolchain "$1")" -DVANTREL_TESTS=OFF -DVANTREL_RELEASE=ON \
    -DVANTREL_HOST_TOOLS="$native/tools" "${launcher[@]}" >/dev/null
  cmake --build "$root/build/release-$1" -j "$jobs" --target vantrel sample
}
