#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds into build/ with
# warnings as errors and runs every test headless, then the engine, command-line
# and app tests again under AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/, then builds the fuzz targets into build-fuzz/ (warnings as errors
# there too) and gives each a short run, then the engine and yomari-cli for
# Windows into build-windows/, run by wine.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-deps.sh
yomari_ensure_deps
yomari_ensure_windows_deps
started=$SECONDS
jobs="$(nproc)"

# The house style (.clang-format) on every C++ file of the project.
if git rev-parse --git-dir >/dev/null 2>&1; then
  git ls-files -z '*.h' '*.cpp' | xargs -0 clang-format --dry-run --Werror
else
  find src tests bench fuzz packaging \( -name '*.h' -o -name '*.cpp' \) -print0 |
    xargs -0 clang-format --dry-run --Werror
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYOMARI_WERROR=ON
cmake --build build -j"$jobs"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$jobs"

# Every test carries a label, so that each kind can be run on its own.
all=$(ctest --test-dir build -N | sed -n 's/^Total Tests: //p')
labelled=$(ctest --test-dir build -N -L . | sed -n 's/^Total Tests: //p')
if [ "$all" != "$labelled" ]; then
  echo "$((all - labelled)) of $all tests have no label" >&2
  exit 1
fi

# The engine, command-line and app tests under AddressSanitizer and
# UndefinedBehaviorSanitizer (the asan preset builds only what they need).
# The first report of either ends the test that made it.
sanitized=$SECONDS
cmake --preset asan
cmake --build --preset asan -j"$jobs"
ASAN_OPTIONS=abort_on_error=1:detect_stack_use_after_return=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --preset asan -j"$jobs" --no-tests=error
echo "test.sh: sanitizer run took $((SECONDS - sanitized)) s"

# Fuzz targets need clang's libFuzzer: a second build folder, then a short
# smoke run of each (see README, "Fuzzing", for longer runs).
cmake -S fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DYOMARI_WERROR=ON
cmake --build build-fuzz -j"$jobs"
ctest --test-dir build-fuzz --output-on-failure -j"$jobs"

# The engine and yomari-cli built for Windows and run under wine (skipped,
# saying why, where wine cannot run).
scripts/test-windows.sh

echo "test.sh: all passed in $((SECONDS - started)) s"
