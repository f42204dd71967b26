#!/usr/bin/env bash
# Builds TALVO and starts it on the bundled example project.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

EXAMPLE=examples/highway-village.tlv
if [ -x build/src/talvo ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/src/talvo "$EXAMPLE"
fi
exec build/src/talvo-cli calc "$EXAMPLE"
