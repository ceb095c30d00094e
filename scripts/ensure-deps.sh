#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need, when
# any is missing. Sourced by test.sh and run.sh.
set -euo pipefail

YOMARI_PACKAGES=(
  cmake g++ make pkg-config
  libgtest-dev libbenchmark-dev libicu-dev
  qt6-base-dev qt6-translations-l10n
  clang libclang-rt-14-dev clang-format
  xvfb xauth fonts-ipafont-gothic
  desktop-file-utils appstream dpkg-dev file
  lintian man-db bash-completion
)

# The Windows cross-build and wine to run it (test.sh only; about 1.1 GB).
YOMARI_WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix wine64 wine
)

yomari_ensure_deps() {
  yomari_ensure_packages "${YOMARI_PACKAGES[@]}"
}

yomari_ensure_windows_deps() {
  yomari_ensure_packages "${YOMARI_WINDOWS_PACKAGES[@]}"
}

yomari_ensure_packages() {
  local missing=()
  local p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "Missing Debian packages: ${missing[*]}" >&2
      echo "Run as root: apt-get install -y ${missing[*]}" >&2
      return 1
    fi
  fi
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
