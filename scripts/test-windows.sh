#!/usr/bin/env bash
# Cross-builds the engine tests and yomari-cli for Windows with MinGW-w64 into
# build-windows/ and runs them under wine, yomari-cli against the Linux build
# in build/ (built first by test.sh). Skips, saying why, where wine cannot run.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS

if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null || ! command -v wine >/dev/null; then
  echo "Windows run skipped: MinGW-w64 or wine is not installed (scripts/ensure-deps.sh installs them)."
  exit 0
fi

# Headless and quiet, one prefix reused between runs.
export WINEPREFIX="${WINEPREFIX:-$PWD/build-windows/wine}"
export WINEDEBUG=-all LANG=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$WINEPREFIX"

# A wineserver kept running saves every captured run a wait of about 3 s.
# Its output goes nowhere: a server holding a pipe open would stall whoever
# reads this script's output. It fails when one already runs for the prefix.
wineserver -p >/dev/null 2>&1 || true
trap 'wineserver -k 2>/dev/null || true' EXIT
if ! wineboot -i >/dev/null 2>&1 || ! wine cmd /c exit 0 >/dev/null 2>&1; then
  echo "Windows run skipped: wine cannot start Windows programs here."
  exit 0
fi
# A crash would start winedbg and end with status 0: with no debugger set it
# ends with a failing status instead.
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
  /v Debugger /t REG_SZ /d '' /f >/dev/null

cmake -S . -B build-windows -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DYOMARI_ENGINE_ONLY=ON -DYOMARI_REFERENCE_CLI="$PWD/build/bin/yomari-cli"
cmake --build build-windows -j"$(nproc)"
ctest --test-dir build-windows --output-on-failure -j"$(nproc)"
echo "Windows build and run: $((SECONDS - start)) s"
