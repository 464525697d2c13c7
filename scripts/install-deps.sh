#!/bin/bash
# Installs the Debian packages the build and the tests need. Quick when they
# are already there: apt-get runs only for missing packages.
set -euo pipefail

# libqt6svg6 draws the window's icon; desktop-file-utils and shared-mime-info
# check the desktop entry and the file type that the install test installs.
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev fonts-noto-cjk xvfb xauth
  desktop-file-utils shared-mime-info)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
