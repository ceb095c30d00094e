#!/usr/bin/env bash
# Installs what is missing, builds into build/ and runs every test headless,
# then builds the fuzz targets into build-fuzz/ and gives each a short run,
# then the engine and yomari-cli for Windows into build-windows/, run by wine.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-deps.sh
yomari_ensure_deps
yomari_ensure_windows_deps

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"

# Fuzz targets need clang's libFuzzer: a second build folder, then a short
# smoke run of each (see README, "Fuzzing", for longer runs).
cmake -S fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++
cmake --build build-fuzz -j"$(nproc)"
ctest --test-dir build-fuzz --output-on-failure -j"$(nproc)"

# The engine and yomari-cli built for Windows and run under wine (skipped,
# saying why, where wine cannot run).
scripts/test-windows.sh
