#!/usr/bin/env bash
# Fails when a tracked C++ source differs from what clang-format would make of it.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'tools/*.cpp' 'tools/*.h')
if [ ${#files[@]} -eq 0 ]; then
  echo "no tracked sources found (not a git checkout?)" >&2
  exit 1
fi
clang-format --dry-run -Werror "${files[@]}"
echo "${#files[@]} files formatted"
