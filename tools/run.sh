#!/usr/bin/env bash
# Installs what is missing, builds QUON and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/deps.sh" run
# The tests are configured too where what they need is installed, so the build folder serves
# both commands; elsewhere only the program is configured.
if bash "$root/tools/deps.sh" has-test; then export QUON_TESTS=${QUON_TESTS:-ON}; else export QUON_TESTS=OFF; fi
bash "$root/tools/build.sh" --target quon
exec "${QUON_BUILD_DIR:-$root/build}/quon" "$@"
