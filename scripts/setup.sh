#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test the suite.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libfontconfig-dev fonts-dejavu-core libvterm-dev
  # The fuzz preset: clang and its libFuzzer runtime.
  clang libclang-rt-14-dev)
# Month and weekday names and date orders of the user's locale for the date parser.
packages+=(libicu-dev)
# Printed lists are read back as text and pictures in the tests and the demo,
# comma-separated exports with Python's csv module.
packages+=(poppler-utils python3)
# libwin's Debian packages take their dependencies from dpkg-shlibdeps.
packages+=(dpkg-dev)
# The windows on screen, and the screen tests: a display server of their
# own, a person's input through it, and screenshots compared with ImageMagick.
packages+=(libsdl2-dev xvfb xdotool x11-apps)
# The everyday programs the live terminal's tests run.
packages+=(less procps vim-tiny)
# Installed without what they recommend, whose fonts (ghostscript's above all)
# would stand in for the faces that the pictures expect fontconfig to choose:
# the programs cross-built for Windows and wine to run their tests, and
# ImageMagick, which compares screenshots.
lean_packages=(g++-mingw-w64-x86-64-posix wine wine64 imagemagick)

missing_of() {
  for package in "$@"; do
    dpkg -s "$package" >/dev/null 2>&1 || echo "$package"
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t lean_missing < <(missing_of "${lean_packages[@]}")
[ ${#missing[@]} -eq 0 ] && [ ${#lean_missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]} ${lean_missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -q
if [ ${#missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi
if [ ${#lean_missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends \
    "${lean_missing[@]}"
fi
