#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, only those that are missing.
# Sourced by run.sh and test.sh.
set -euo pipefail

orvo_packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n fonts-wqy-microhei
  libgl-dev libgtest-dev googletest
  fonts-liberation poppler-utils
  clang libclang-rt-dev
  dpkg-dev file
)
# What `./test.sh --windows` adds: the mingw-w64 cross compiler, Wine to run what it builds, and
# groff for the manual page as text in the zip (GoogleTest's sources come with googletest above).
orvo_windows_packages=(g++-mingw-w64-x86-64-posix wine wine64 groff-base)
# What `./test.sh --package` (and CI) add to check the Debian package as a distribution would.
orvo_package_tools=(lintian desktop-file-utils appstream)

orvo_install_deps() {
  local missing=()
  local p
  for p in "${orvo_packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures and builds into build/ (or $ORVO_BUILD_DIR); extra arguments go to cmake's configure step.
orvo_build() {
  local dir=${ORVO_BUILD_DIR:-build}
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=${ORVO_BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}
