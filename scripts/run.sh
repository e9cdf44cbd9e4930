#!/usr/bin/env bash
# Builds Corvalink and starts it from a fresh program folder (build/demo/) under Wine.
# With a display the program opens on it; without one it runs in a private Xvfb display
# and a screenshot is left in build/demo-shots/.
set -eu
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh -DBUILD_TESTING=OFF
root=$(pwd)
demo=$root/build/demo
rm -rf "$demo"
cp -r build/Corvalink "$demo"

export WINEPREFIX=$root/build/demo-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting $demo/Corvalink.exe (settings file: $demo/Corvalink.dat)"
  exec wine "$demo/Corvalink.exe"
fi

shots=$root/build/demo-shots
mkdir -p "$shots"
rig=$root/build/demo-rig
bash tests/rig/rig.sh start "$rig"
export DISPLAY=$(cat "$rig/display") WINEPREFIX="$rig/prefix"
wine "$demo/Corvalink.exe" </dev/null >/dev/null 2>&1 &
sleep 4
import -window root "$shots/01-start.png"
bash tests/rig/rig.sh stop "$rig"
echo "No display: Corvalink ran in a private Xvfb display. Screenshot: $shots/01-start.png"
