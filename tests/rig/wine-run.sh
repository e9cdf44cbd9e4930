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
# Programs that a test's program starts (the game, the companion) inherit Wine's output
# descriptors and may outlive the test: give them a file, not CTest's pipe, which would stay
# open until they end.
out=$(mktemp "$rig/out.XXXXXX")
"$(cat "$rig/loader" 2>/dev/null || echo wine)" "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
