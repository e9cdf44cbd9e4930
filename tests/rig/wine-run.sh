#!/usr/bin/env bash
# Runs one Windows test program under Wine inside the rig that rig.sh started.
#   wine-run.sh <rig-dir> <program.exe> [arguments...]
set -u
rig=$1
shift
export WINEPREFIX="$rig/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
if [ ! -f "$rig/display" ]; then
  echo "wine-run: the rig is not running (ctest starts it through the rig.start test)" >&2
  exit 1
fi
export DISPLAY=$(cat "$rig/display")
exec wine "$@"
