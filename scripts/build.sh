#!/usr/bin/env bash
# Configures and builds Corvalink (64-bit, with tests) into build/; pass --i686 for the
# 32-bit build into build-i686/. Extra arguments go to CMake's configure step.
set -eu
cd "$(dirname "$0")/.."
arch=x86_64
if [ "${1:-}" = "--i686" ]; then arch=i686; shift; fi
dir=build
[ "$arch" = i686 ] && dir=build-i686
werror=OFF
[ -n "${CI:-}" ] && werror=ON
cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-$arch-w64-mingw32.cmake" \
  -DCORVALINK_WERROR=$werror "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
