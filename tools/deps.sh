#!/usr/bin/env bash
# Installs what building and testing QUON needs, skipping what is already present.
set -euo pipefail
packages=(g++ cmake make qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation poppler-utils libglpk-dev libboost-graph-dev glpk-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
