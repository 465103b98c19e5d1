#!/usr/bin/env bash
# Without a display the program says so in one line and fails, whether no display is named
# or the one named cannot be reached.
set -uo pipefail
quon=$1
check() {
  local err status
  err=$("$@" 2>&1 >/dev/null)
  status=$?
  [ "$status" -ne 0 ] || { echo "exit status 0 with: $*"; exit 1; }
  [ "$err" = "QUON needs a graphical display" ] || { echo "said instead: $err"; exit 1; }
}
check env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$quon"
check env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4711 "$quon"
echo "no display: one line, exit status non-zero"
