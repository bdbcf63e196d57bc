#!/usr/bin/env bash
# Fails when a C++ file of the repository is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ((${#files[@]})); then
  clang-format-14 --dry-run -Werror "${files[@]}"
fi
echo "format: ${#files[@]} files checked"
