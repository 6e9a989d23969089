#!/usr/bin/env bash
# Installs the Debian packages the editor needs to build, run and test, when any is missing.
# Runs apt-get through sudo when not root.
set -euo pipefail

PACKAGES=(
  build-essential
  cmake
  qt6-base-dev
  qt6-base-dev-tools
  qt6-image-formats-plugins
  qt6-qpa-plugins
  libgl-dev
  libxkbcommon-dev
  qt6-webengine-dev
  libqt6svg6
  clang
  libclang-rt-14-dev
)
# libqt6svg6 holds Qt's SVG image format and icon engine plugins: the toolbar pictures and the
# SVG icons of desktop themes are read through them at run time (the build does not link Qt SVG).
# clang and its runtimes (libclang-rt-14-dev) build the sanitizer pass of scripts/test.sh and the
# fuzz targets.

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
