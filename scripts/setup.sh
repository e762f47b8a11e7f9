#!/usr/bin/env bash
# Prepares a Debian 12 machine from nothing: every package the build, the tests and the sample need.
# Idempotent: when everything is already installed it only checks.
set -euo pipefail

PACKAGES=(
  cmake make ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  googletest zlib1g-dev libpng-dev
  gcc-multilib g++-multilib zlib1g-dev:i386 qemu-user
  wine wine32:i386 wine64
  xvfb x11-utils imagemagick
  fonts-wine fonts-liberation fonts-dejavu-core
  gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
  libgl1-mesa-dri:i386 libglx-mesa0:i386
  gstreamer1.0-plugins-base:amd64 gstreamer1.0-plugins-good:amd64
  libgl1-mesa-dri:amd64 libglx-mesa0:amd64
  python3
)

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  NEED_UPDATE=1
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  # qemu-i386 is only ever called by name: never the system-wide registration it recommends.
  $SUDO apt-get install -y -q "${missing[@]}" qemu-user-binfmt-
else
  echo "setup: all packages present"
fi
