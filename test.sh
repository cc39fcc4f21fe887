#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   ./test.sh              the whole suite
#   ./test.sh --sanitize   the same, built with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
orvo_install_deps

export QT_QPA_PLATFORM=offscreen
if [ "${1:-}" = "--sanitize" ]; then
  shift
  export ORVO_BUILD_DIR=build-sanitize
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  orvo_build -DORVO_SANITIZE=ON
else
  orvo_build
fi
ctest --test-dir "${ORVO_BUILD_DIR:-build}" --output-on-failure -j"$(nproc)" "$@"
