#!/usr/bin/env bash
# Installs the Debian 12 packages that the game, its tests and its media tools need.
# As root it installs them; otherwise it checks that they are there and, if not,
# prints the exact command to run and stops.
#   usage: install-deps.sh [test|windows|web]
# With "test" it adds what building and checking the Debian package needs,
# clang with its runtime libraries for the fuzzing harnesses that CI runs, and
# the Windows and web sets. With "windows" it adds what cross-building the
# Windows game, packing it and testing it under Wine needs; with "web" what
# building the browser game and playing it in headless Chromium needs.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libsdl2-ttf-dev libjpeg62-turbo-dev libfltk1.3-dev fluid
  libgl-dev libgl1-mesa-dri libfontconfig-dev fonts-dejavu-core fontconfig
  xvfb xauth xfonts-base x11-utils xdotool imagemagick mesa-utils sox locales
  zlib1g-dev openbox wmctrl espeak-ng
)
PACKAGING_PACKAGES=(debhelper lintian desktop-file-utils appstream)
FUZZING_PACKAGES=(clang libclang-rt-14-dev)
# The posix thread variant of MinGW-w64 (std::thread needs it); wine64 alone has
# no wine command.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix nasm ninja-build googletest wine wine64 nsis zip
  dpkg-dev)
# Emscripten with Node, the libraries' Debian sources unpacked by dpkg-source,
# GoogleTest's sources for the tests, and the browser with its WebDriver.
WEB_PACKAGES=(emscripten ninja-build googletest zip unzip dpkg-dev chromium chromium-driver
  python3-selenium)
case "${1:-}" in
  test) PACKAGES+=("${PACKAGING_PACKAGES[@]}" "${FUZZING_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"
    "${WEB_PACKAGES[@]}") ;;
  windows) PACKAGES+=("${WINDOWS_PACKAGES[@]}") ;;
  web) PACKAGES+=("${WEB_PACKAGES[@]}") ;;
esac
INSTALL_LINE="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${PACKAGES[*]}"

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
# A locale with a decimal comma lets the tests prove that numbers in data files
# are read the same whatever the player's locale.
ensure_comma_locale() {
  if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    return 0
  fi
  if [ "$(id -u)" -eq 0 ]; then
    localedef -i de_DE -f UTF-8 de_DE.UTF-8
  fi
}

if [ ${#missing[@]} -eq 0 ]; then
  ensure_comma_locale
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages: ${missing[*]}" >&2
  echo "Run this as root, then try again:" >&2
  echo "  $INSTALL_LINE" >&2
  exit 1
fi

echo "Installing Debian packages: ${missing[*]}"
apt-get update
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${PACKAGES[@]}"
ensure_comma_locale
