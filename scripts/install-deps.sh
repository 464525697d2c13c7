#!/bin/bash
# Installs the Debian packages the build and the tests need. Quick when they
# are already there: apt-get runs only for missing packages.
set -euo pipefail

# qt6-svg-dev draws the window's icon; desktop-file-utils and shared-mime-info
# check the desktop entry and the file type that the install test installs;
# dpkg-dev (dpkg-shlibdeps) finds the Debian package's library dependencies
# and lintian checks the package.
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev fonts-noto-cjk xvfb xauth
  desktop-file-utils shared-mime-info dpkg-dev lintian emscripten node-acorn chromium)
# The web viewer's tests run under Node.js; a Node.js of the machine's own
# (first on the PATH) is used when there is one.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)

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

# puppeteer-core drives Chromium in the web viewer's tests, at the version
# the lock file names.
cd "$(dirname "$0")/.."
if [ ! -f tests/web/node_modules/puppeteer-core/package.json ]; then
  echo "installing the browser tests' Node.js packages"
  (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
fi
