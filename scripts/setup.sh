#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Packages already present are skipped; run as root on Debian 12.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache
  clang libclang-rt-14-dev
  qt6-base-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation2
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
