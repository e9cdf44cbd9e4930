#!/usr/bin/env bash
# Installs what building, testing and the demo need on Debian, if it is missing.
set -eu
need=()
have() { command -v "$1" >/dev/null 2>&1; }
have cmake || need+=(cmake)
have make || need+=(make)
have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64-posix)
have i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686-posix)
have x86_64-w64-mingw32-windres || need+=(binutils-mingw-w64-x86-64)
have wine || need+=(wine wine64)
have Xvfb || need+=(xvfb)
have import || need+=(imagemagick)
have iconv || need+=(libc-bin)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
[ ${#need[@]} -eq 0 ] && exit 0
echo "Installing: ${need[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${need[@]}"
