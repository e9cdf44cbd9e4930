#!/usr/bin/env bash
# Writes a UTF-8 text file as Windows' Notepad reads it everywhere: a byte-order mark and CR LF.
#   windows_text.sh <in> <out>
set -eu
{ printf '\357\273\277'; sed 's/\r$//; s/$/\r/' "$1"; } >"$2"
