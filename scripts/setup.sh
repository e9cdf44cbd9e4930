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
have python3 || need+=(python3)
have xdotool || need+=(xdotool)
have clang-format || need+=(clang-format)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
# Wine's 32-bit part runs the 32-bit build (the players' platform) in the tests.
dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine32:i386)
[ ${#need[@]} -eq 0 ] && exit 0
echo "Installing: ${need[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
if ! dpkg --print-foreign-architectures | grep -qx i386; then $sudo dpkg --add-architecture i386; fi
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${need[@]}"
