#!/usr/bin/env bash
# Installs everything Quillmap needs to build, test, fuzz, package and run on Debian 12.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
packages=(
  g++ cmake ninja-build pkg-config
  clang libclang-rt-14-dev clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev
  # qt6-wayland: the desktop program's Wayland platform
  qt6-base-dev libgl-dev qt6-wayland
  libuemf-dev libxml2-dev libxml2-utils poppler-utils
  xvfb xauth xclip xdotool time
  # chromium: the test that a browser draws the SVG as the PNG of the same chart
  chromium
  dpkg-dev file lintian appstream desktop-file-utils man-db
  # python3-scipy: the independent check of the group comparisons
  python3-scipy
  # locales: the sources from which the locale test makes a German locale
  locales
  # the Windows programs: the cross compiler, Wine to run them, icotool for their icon
  g++-mingw-w64-x86-64 wine wine64 icoutils
  # the programs the chart is pasted into by the tests: LibreOffice and a browser
  libreoffice-writer libreoffice-draw libreoffice-impress libreoffice-calc unzip chromium
)
export DEBIAN_FRONTEND=noninteractive
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
