#!/usr/bin/env bash
# Installs from Debian what building, running and testing Ergotab needs. Safe to run again.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libqt6svg6 qt6-qpa-plugins qt6-translations-l10n
  zlib1g-dev libdeflate-dev libgtest-dev libgmock-dev
  fonts-dejavu-core
  python3 python3-dbfread python3-dbf libdbd-xbase-perl
  xvfb xauth
  poppler-utils unrtf libzint-dev
  desktop-file-utils appstream dpkg-dev
  clang-14 libclang-rt-14-dev clang-format-14
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  [[ $(id -u) -eq 0 ]] && sudo= || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
