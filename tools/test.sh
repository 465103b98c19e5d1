#!/usr/bin/env bash
# Installs what is missing, builds QUON with its tests and runs them all, QUON_JOBS at a time
# (default: every core).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/deps.sh"
bash "$root/tools/build.sh"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tools/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd "${QUON_BUILD_DIR:-$root/build}"
ctest -j"${QUON_JOBS:-$(nproc)}" --output-on-failure --timeout 300
