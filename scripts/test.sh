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
  # Wine's 32-bit part is a 32-bit Linux program: a kernel built without IA-32 emulation
  # cannot start it at all ("Exec format error"), and then no 32-bit Windows program runs.
  if [ "$dir" = build-i686 ] && ! timeout 20 /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "NOT RUN: this machine's kernel cannot run 32-bit programs, so Wine's 32-bit part cannot start"
    echo "here. The 32-bit build is built and packed; its tests run on a machine that can run them."
    continue
  fi
  (cd "$dir" && ctest -j2 --output-on-failure) || status=1
done
exit $status
