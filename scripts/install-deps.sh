#!/usr/bin/env bash
# Installs what the build and the tests need from Debian's packages. Does nothing when
# everything is there already.
set -euo pipefail

packages=(
  cmake ninja-build g++ make git file libgtest-dev googletest libbenchmark-dev
  clang-format clang libfuzzer-14-dev libclang-rt-14-dev
  gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  gcc-mingw-w64-i686-win32 g++-mingw-w64-i686-win32
  gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 qemu-user-static
  xvfb xdotool x11-utils imagemagick nsis fonts-liberation
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  libx11-dev libxft-dev xscreensaver xscreensaver-data fonts-dejavu-core dpkg-dev
  debhelper libfreetype-dev lintian devscripts desktop-file-utils libxml2-utils
  emscripten chromium nodejs
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done
# npm comes with some builds of nodejs and is a package of its own in Debian's.
command -v npm >/dev/null || missing+=(npm)
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "install-deps: installing ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
