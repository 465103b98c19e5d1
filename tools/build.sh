#!/usr/bin/env bash
# Configures and builds QUON in $QUON_BUILD_DIR (default: build). QUON_SANITIZE=ON adds
# AddressSanitizer and UndefinedBehaviorSanitizer; QUON_BUILD_TYPE picks the build type
# (default RelWithDebInfo); QUON_WERROR=ON makes warnings errors; QUON_JOBS caps the number of
# compile jobs (default: every core).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUON_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -DQUON_SANITIZE="${QUON_SANITIZE:-OFF}" -DQUON_BENCH="${QUON_BENCH:-OFF}" \
  -DQUON_WERROR="${QUON_WERROR:-OFF}" \
  -DQUON_TESTS="${QUON_TESTS:-ON}" -DCMAKE_BUILD_TYPE="${QUON_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build" -j"${QUON_JOBS:-$(nproc)}" "$@"
