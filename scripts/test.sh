#!/usr/bin/env bash
# Builds Corvalink with its tests and runs every test under Wine in the rig's own Xvfb
# display (CTest starts and stops the rig). Also compiles the 32-bit build and packs both
# downloads. Ends with CTest's summary.
set -eu
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
bash scripts/build.sh --i686 -DBUILD_TESTING=OFF
bash scripts/package.sh
cd build
ctest -j2 --output-on-failure
