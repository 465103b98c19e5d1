#!/usr/bin/env bash
# Installs what QUON needs, skipping what is already present. With "run", only what building
# and running the program needs; with no argument, also what its tests need; the benchmark
# library comes along when QUON_BENCH=ON. "has-test" installs nothing and tells (exit status)
# whether everything the tests need is there.
set -euo pipefail
mode=${1:-test}
packages=(g++ cmake make qt6-base-dev libgl-dev fonts-liberation libgmp-dev)
# GoogleTest; pdftotext reads printed PDFs back; GLPK and Boost Graph are the references.
test_packages=(libgtest-dev poppler-utils libglpk-dev libboost-graph-dev)
[ "$mode" != run ] && packages+=("${test_packages[@]}")
if [ "${QUON_BENCH:-OFF}" = ON ]; then packages+=(libbenchmark-dev libglpk-dev); fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "$mode" = has-test ]; then
  [ ${#missing[@]} -eq 0 ]
  exit
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
