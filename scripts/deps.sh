#!/usr/bin/env bash
# Installs the Debian packages TALVO needs to build and test, when any is missing.
set -euo pipefail

PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev pkg-config qt6-base-dev qt6-qpa-plugins libgtest-dev libgmock-dev
          libbenchmark-dev libcli11-dev fonts-nanum qt6-translations-l10n xvfb xauth parallel poppler-utils imagemagick
          libgdal-dev libsqlite3-dev proj-data lld)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
