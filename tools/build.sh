#!/usr/bin/env bash
# Configures and builds QUON in $QUON_BUILD_DIR (default: build). QUON_SANITIZE=ON adds
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUON_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -DQUON_SANITIZE="${QUON_SANITIZE:-OFF}" -DQUON_BENCH="${QUON_BENCH:-OFF}" >/dev/null
cmake --build "$build" -j"$(nproc)" "$@"
