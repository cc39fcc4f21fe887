#!/usr/bin/env bash
# Installs what is missing, builds, and starts the application.
#   ./run.sh [FILE.sin]      start the application
#   ./run.sh --demo          start it with COM1 wired to the simulated radio
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
orvo_install_deps
orvo_build

if [ "${1:-}" = "--demo" ]; then
  shift
  exec scripts/demo.sh "$@"
fi
if [ -x build/bin/orvo ]; then
  exec build/bin/orvo "$@"
fi
build/bin/orvo-cli --help
