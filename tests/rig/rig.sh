#!/usr/bin/env bash
# The test rig: a private Xvfb display and Wine prefix for the tests.
#   rig.sh start <rig-dir>   start (or reuse) the display, the Wine server and the prefix
#   rig.sh stop <rig-dir>    stop the Wine server and the display that `start` began
#   rig.sh env <rig-dir>     print the environment the tests run with
# Wine's background services inherit the output of whatever starts them and would keep a
# test runner's pipe open for ever: everything here starts with its output on /dev/null.
set -u
cmd=${1:?start|stop|env}
rig=$(mkdir -p "${2:?rig directory}" && cd "$2" && pwd)

export WINEPREFIX="$rig/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEARCH=win64

# The loader of the rig's programs: Wine's 64-bit loader where it is installed, so that the 64-bit
# build runs without the 32-bit part; "wine" (which runs both) for the 32-bit build's rig.
#   rig.sh start <rig-dir> [64|32]
bits=${3:-64}
loader=wine
[ "$bits" = 64 ] && [ -x /usr/lib/wine/wine64 ] && loader=/usr/lib/wine/wine64

alive() { [ -f "$1" ] && kill -0 "$(cat "$1")" 2>/dev/null; }

start_display() {
  if alive "$rig/xvfb.pid" && [ -f "$rig/display" ]; then return 0; fi
  # Xvfb writes the display's number once it takes connections; a number left from an
  # earlier display would be read before the new one is ready.
  rm -f "$rig/display" "$rig/display.tmp"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$rig/display.tmp" </dev/null >/dev/null 2>&1 &
  echo $! >"$rig/xvfb.pid"
  for _ in $(seq 1 100); do
    [ -s "$rig/display.tmp" ] && break
    sleep 0.1
  done
  [ -s "$rig/display.tmp" ] || { echo "rig: Xvfb did not start" >&2; exit 1; }
  echo ":$(tr -d '\n' <"$rig/display.tmp")" >"$rig/display"
}

# A small RAM disk for the tests of a full disk, where this user may mount one (root, or
# sudo without a password). Tests skip what needs it when "ramdisk.mounted" is missing.
start_ramdisk() {
  mkdir -p "$rig/ramdisk"
  if mountpoint -q "$rig/ramdisk"; then return 0; fi
  rm -f "$rig/ramdisk.mounted"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo -n"
  if $sudo mount -t tmpfs -o size=8m,mode=1777 tmpfs "$rig/ramdisk" </dev/null >/dev/null 2>&1; then
    touch "$rig/ramdisk.mounted"
  else
    echo "rig: no RAM disk (mount needs root); the tests of a full disk will be skipped" >&2
  fi
}

stop_ramdisk() {
  if mountpoint -q "$rig/ramdisk" 2>/dev/null; then
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo -n"
    $sudo umount "$rig/ramdisk" </dev/null >/dev/null 2>&1 || true
  fi
  rm -f "$rig/ramdisk.mounted"
}

case "$cmd" in
  start)
    start_ramdisk
    start_display
    export DISPLAY=$(cat "$rig/display")
    wineserver -p </dev/null >/dev/null 2>&1   # exits 2 when a server already runs
    # A prefix made before Wine's 32-bit part was installed cannot run 32-bit programs.
    wine32=$(dpkg -s wine32:i386 >/dev/null 2>&1 && echo yes || echo no)
    if [ -f "$rig/prefix.ready" ] && [ "$(cat "$rig/prefix.ready")" != "wine32=$wine32" ]; then
      wineserver -k </dev/null >/dev/null 2>&1
      rm -rf "$rig/prefix" "$rig/prefix.ready"
      wineserver -p </dev/null >/dev/null 2>&1
    fi
    # A prefix whose making was cut short (two rigs made at once on a busy machine) lacks its
    # system files: it is made anew.
    if [ -f "$rig/prefix.ready" ] && [ ! -f "$rig/prefix/drive_c/windows/system32/kernel32.dll" ]; then
      wineserver -k </dev/null >/dev/null 2>&1
      rm -rf "$rig/prefix" "$rig/prefix.ready"
      wineserver -p </dev/null >/dev/null 2>&1
    fi
    for attempt in 1 2; do
      [ -f "$rig/prefix.ready" ] && break
      "$loader" wineboot -i </dev/null >/dev/null 2>&1
      if [ ! -f "$rig/prefix/drive_c/windows/system32/kernel32.dll" ] && [ $attempt -eq 1 ]; then
        wineserver -k </dev/null >/dev/null 2>&1
        rm -rf "$rig/prefix"
        wineserver -p </dev/null >/dev/null 2>&1
        continue
      fi
      # Without a window manager Wine waits ~2 s on every hide or destroy unless unmanaged.
      "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
      # Restart so that the desktop and tray process (explorer) read the setting too.
      wineserver -k </dev/null >/dev/null 2>&1
      wineserver -p </dev/null >/dev/null 2>&1
      "$loader" wineboot </dev/null >/dev/null 2>&1
      echo "wine32=$wine32" >"$rig/prefix.ready"
      started=yes
    done
    [ "${started:-}" = yes ] || "$loader" wineboot </dev/null >/dev/null 2>&1
    echo "$loader" >"$rig/loader"
    ;;
  stop)
    # Waits until the server and the display are gone: a rig started right after this one
    # would otherwise find them still shutting down and take them for running.
    wineserver -k </dev/null >/dev/null 2>&1
    timeout 20 wineserver -w </dev/null >/dev/null 2>&1
    stop_ramdisk
    if alive "$rig/xvfb.pid"; then
      kill "$(cat "$rig/xvfb.pid")"
      for _ in $(seq 1 50); do alive "$rig/xvfb.pid" || break; sleep 0.1; done
    fi
    rm -f "$rig/xvfb.pid" "$rig/display"
    ;;
  env)
    echo "WINEPREFIX=$WINEPREFIX"
    [ -f "$rig/display" ] && echo "DISPLAY=$(cat "$rig/display")"
    ;;
esac
