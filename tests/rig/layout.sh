#!/usr/bin/env bash
# Runs the layout test of every window at 96, 120, 144 and 192 DPI, in a rig of its own (the
# DPI is a setting of the whole Wine prefix, which the other tests' rig must keep at 96).
#   layout.sh <rig-dir> <bits> <unit_tests.exe>
set -u
rig=$1 bits=$2 exe=$3
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/rig.sh" start "$rig" "$bits" || exit 1
trap 'bash "$here/rig.sh" stop "$rig"' EXIT
export WINEPREFIX="$rig/prefix" WINEDEBUG=-all DISPLAY=$(cat "$rig/display")
loader=$(cat "$rig/loader")
status=0
for dpi in 96 120 144 192; do
  "$loader" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
  echo "== $dpi DPI =="
  out=$(CORVALINK_DPI=$dpi bash "$here/wine-run.sh" "$rig" "$exe" --gtest_filter='Layout.*' 2>&1)
  rc=$?
  printf '%s\n' "$out" | grep -vE '^\[ *(RUN|OK|-+|=+) *\]|^$|Note: Google Test filter'
  # A run counts only when GoogleTest says it passed (Wine can exit 0 without running anything).
  if [ $rc -ne 0 ] || ! grep -q '^\[  PASSED  \] 1 test' <<<"$out"; then status=1; fi
done
"$loader" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f </dev/null >/dev/null 2>&1
exit $status
