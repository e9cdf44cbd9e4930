#!/usr/bin/env bash
# Builds Corvalink with its tests, 64-bit into build/ and 32-bit into build-i686/, packs both
# downloads, and runs every test of each build under Wine in that build's own rig (Xvfb
# display and Wine prefix; CTest starts and stops it). Prints one CTest summary per build and
# fails when either fails.
set -eu
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
bash scripts/build.sh --i686 -DBUILD_TESTING=ON
bash scripts/package.sh
status=0
for dir in build build-i686; do
  echo
  echo "== Tests of the $([ "$dir" = build ] && echo 64 || echo 32)-bit build ($dir) =="
  (cd "$dir" && ctest -j2 --output-on-failure) || status=1
done
exit $status
