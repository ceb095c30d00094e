#!/usr/bin/env bash
# Installs what is missing, builds and starts Yomari. Arguments go to the
# program ("/S", "/F", "/T").
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-deps.sh
yomari_ensure_deps

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target Yomari

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: run it under Xvfb with: xvfb-run -a ./build/bin/Yomari" >&2
  exit 1
fi
exec ./build/bin/Yomari "$@"
