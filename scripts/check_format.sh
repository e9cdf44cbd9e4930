#!/usr/bin/env bash
# Fails when a C++ file of the repository is not formatted as .clang-format says, naming each
# one. Format a file with `clang-format -i <file>`, or only the lines a change touched with
# `git clang-format`.
set -eu
cd "$(dirname "$0")/.."
bad=0
while IFS= read -r file; do
  if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
    echo "not formatted: $file (clang-format -i $file)"
    bad=1
  fi
done < <(git ls-files '*.cpp' '*.h')
[ $bad -eq 0 ] && echo "every C++ file is formatted"
exit $bad
