#!/bin/sh
# Runs a program of a Windows cross build under wine: PROGRAM.exe ARGS... The wine prefix is
# the build's own (build-dir/wine) unless WINEPREFIX names one, and wine's own chatter is off.
set -eu
program=$1
if [ -z "${WINEPREFIX:-}" ]; then
  WINEPREFIX=$(cd "$(dirname "$program")/.." && pwd)/wine
fi
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
exec wine "$@"
