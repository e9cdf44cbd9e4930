#!/usr/bin/env bash
# Builds the downloads Corvalink-<version>-win64.zip (build/) and -win32.zip (build-i686/) and
# checks that each holds the program folder and the read-me files.
set -eu
cd "$(dirname "$0")/.."
bash scripts/setup.sh
for dir in build build-i686; do
  [ -f "$dir/CMakeCache.txt" ] || bash scripts/build.sh $([ "$dir" = build-i686 ] && echo --i686 -DBUILD_TESTING=OFF) >/dev/null
  (cd "$dir" && cpack -G ZIP >/dev/null)
  zip=$(ls "$dir"/Corvalink-*-win*.zip)
  listing=$(cmake -E tar tf "$zip")
  languages=$(cd res && ls Corvalink*.lng | sed 's|^|Corvalink/|')
  for f in Corvalink/Corvalink.exe Corvalink/Modal.exe $languages Corvalink/LIESMICH.txt Corvalink/README-en.txt; do
    grep -qx "$f" <<<"$listing" || { echo "$zip lacks $f" >&2; exit 1; }
  done
  # The read-me files as every Notepad reads them: a byte-order mark and CR LF on every line.
  for readme in "$dir"/readme/LIESMICH.txt "$dir"/readme/README-en.txt; do
    [ "$(head -c3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || { echo "$readme lacks its BOM" >&2; exit 1; }
    ! grep -qv $'\r$' "$readme" || { echo "$readme has a line without CR LF" >&2; exit 1; }
  done
  echo "$zip"
done
