#!/usr/bin/env bash
# package.sh [BUILD_DIR]: builds TALVO for installing (Release, prefix /usr) and makes its
# Debian package with CPack: BUILD_DIR/talvo_VERSION_ARCH.deb (BUILD_DIR: build-package).
# Installs with `sudo apt-get install ./talvo_*.deb`; scripts/check-package.sh tries that on
# a clean Debian 12.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}
scripts/deps.sh

# dpkg-shlibdeps (dpkg-dev) works the package's dependencies out from the binaries; CPack
# finds the binaries with file.
missing=()
for p in dpkg-dev file; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# Only what the package holds is built: installing does not wait for the tests.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DTALVO_BENCH=OFF \
      -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON "${launcher[@]}"
cmake --build "$build" -j "$(nproc)" --target talvo talvo-cli talvo_manpage
rm -f "$build"/talvo_*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/talvo_*.deb
