#!/usr/bin/env bash
# Installs what is missing, builds QUON and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/deps.sh"
bash "$root/tools/build.sh" --target quon
exec "${QUON_BUILD_DIR:-$root/build}/quon" "$@"
