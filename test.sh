#!/usr/bin/env bash
# Installs what is missing, builds into build/ and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-deps.sh
yomari_ensure_deps

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"
