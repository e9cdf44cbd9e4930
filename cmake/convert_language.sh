#!/bin/sh
# Converts a language file from UTF-8 (as kept in res/) to what the program reads: Windows-1252,
# or, for a language beyond it (Polish, Russian), UTF-16 LE with a byte-order mark, which the
# profile functions read as Unicode.
#   convert_language.sh <res/Corvalink.xx.lng> <program folder/Corvalink.xx.lng>
set -eu
if ! iconv -f UTF-8 -t CP1252 "$1" -o "$2" 2>/dev/null; then
  printf '\377\376' >"$2"
  iconv -f UTF-8 -t UTF-16LE "$1" >>"$2"
fi
