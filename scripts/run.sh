#!/usr/bin/env bash
# Corvalink's demo: a fresh program folder (build/demo/) and a demo game installation
# (build/demo-game/, the test suite's stand-in for the game). Corvalink starts with its
# first-start wizard; enter any account (login of 3 or more characters, password of exactly 8),
# a character, server and realm, and the folder build/demo-game (shown as Z:\...); then choose
# the QuickLogin in the tray menu and watch it log into the demo game.
# Without a display the demo plays itself through in a private Xvfb display and leaves a
# screenshot of every step in build/demo-shots/. CORVALINK_DEMO_LANGUAGE=en plays it in English.
set -eu
cd "$(dirname "$0")/.."
bash scripts/setup.sh
echo "Building Corvalink (the first build takes a few minutes)..."
# Progress, one line a finished part; a failed build still fails the demo (pipefail).
set -o pipefail
bash scripts/build.sh | { grep --line-buffered -E '^\[ *[0-9]+%\] Built target' || true; }
root=$(pwd)
demo=$root/build/demo
game=$root/build/demo-game
rm -rf "$demo" "$game"
cp -r build/Corvalink "$demo"
mkdir -p "$game"
cp build/game/camelot.exe "$game/"
printf '[double]\r\nlinger_ms=0\r\nwindow_delay_ms=700\r\n' >"$game/double.ini"
winpath() { echo "Z:$1" | tr / '\\'; }

# The 64-bit build runs with Wine's 64-bit loader where it is installed: "wine" would start the
# 32-bit part first, which some kernels cannot run.
loader=wine
[ -x /usr/lib/wine/wine64 ] && loader=/usr/lib/wine/wine64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX=$root/build/demo-prefix
  echo "Corvalink: $demo/Corvalink.exe (settings file: $demo/Corvalink.dat)"
  echo "Demo game folder for the wizard: $(winpath "$game")"
  exec "$loader" "$demo/Corvalink.exe"
fi

shots=$root/build/demo-shots
handshake=$root/build/demo-handshake
rm -rf "$shots" "$handshake"
mkdir -p "$shots" "$handshake"
rig=$root/build/demo-rig
bash tests/rig/rig.sh start "$rig"
trap 'bash tests/rig/rig.sh stop "$rig"' EXIT
export WINEPREFIX=$rig/prefix DISPLAY=$(cat "$rig/display")
echo "No display: playing the demo through in a private Xvfb display ($DISPLAY)."
"$loader" build/tests/demo_player.exe "$(winpath "$demo")" "$(winpath "$game")" "$(winpath "$handshake")" \
  ${CORVALINK_DEMO_LANGUAGE:-} >"$handshake/player.out" 2>&1 </dev/null &
player=$!
seen=0
while kill -0 "$player" 2>/dev/null; do
  if [ -f "$handshake/steps.txt" ]; then
    while [ "$(wc -l <"$handshake/steps.txt")" -gt "$seen" ]; do
      seen=$((seen + 1))
      step=$(sed -n "${seen}p" "$handshake/steps.txt" | tr -d '\r')
      import -window root "$shots/$step.png"
      echo "  $shots/$step.png"
      touch "$handshake/$step.done"
    done
  fi
  sleep 0.2
done
result=$(tr -d '\r' <"$handshake/player.out" | tail -n 1)
echo "Demo finished: $result. Screenshots of every step are in $shots/"
[ "$result" = "logged in, alone and as a team" ]
