#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a package would ship.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/quon share/applications/quon.desktop share/icons/hicolor/scalable/apps/quon.svg; do
  [ -s "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
[ -x "$prefix/bin/quon" ] || { echo "bin/quon is not executable"; exit 1; }
desktop=$prefix/share/applications/quon.desktop
grep -qx 'Exec=quon' "$desktop" && grep -qx 'Icon=quon' "$desktop" && grep -q '^Categories=.*Education;' "$desktop" ||
  { echo "desktop entry lacks Exec, Icon or the Education category"; exit 1; }
echo "installed: bin/quon, desktop entry, icon"
