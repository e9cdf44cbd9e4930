#!/usr/bin/env bash
# Builds Corvalink and runs the benchmarks under Wine in a private Xvfb display; prints one
# table for the README. The first argument is the game double's wait before each window in
# milliseconds (default 20000: the login benchmark then takes about two minutes).
set -eu
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh >/dev/null
root=$(pwd)
rig=$root/build/bench-rig
bash tests/rig/rig.sh start "$rig"
trap 'bash tests/rig/rig.sh stop "$rig"' EXIT
export CORVALINK_PROGRAM_DIR=$root/build/Corvalink CORVALINK_GAME_DOUBLE=$root/build/game/camelot.exe
# The benchmarks run one at a time: they may bring up the game double's windows.
export CORVALINK_DECLARED=game_windows
run() { bash tests/rig/wine-run.sh "$rig" "$@"; }
echo "| Figure | Corvalink | Floor or detail | Ratio |"
echo "|---|---|---|---|"
run build/bench/startup_bench.exe
run build/bench/menu_bench.exe
run build/bench/config_bench.exe
run build/bench/save_bench.exe
run build/bench/login_bench.exe "${1:-20000}"
run build/bench/team_bench.exe 500
run build/bench/window_care_bench.exe
size=$(du -sk build/Corvalink | cut -f1)
echo "| Program folder (Corvalink.exe, Modal.exe, language files) | ${size} KiB | | |"
