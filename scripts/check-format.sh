#!/usr/bin/env bash
# Fails, naming each file and line, when a C++ file of the tree is not as clang-format (the
# root's .clang-format) would leave it. The files are the ones git tracks; in a copy without
# git (an unpacked source package), every C++ file outside the build folders.
#   usage: check-format.sh [SOURCE_DIR]   (the tree this script is in by default)
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
formatter=$(command -v clang-format-14 || command -v clang-format) ||
  { echo "$0: no clang-format here (Debian 12: apt install clang-format)" >&2; exit 1; }
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t listed < <(git ls-files -- '*.c' '*.cc' '*.cpp' '*.h' '*.hpp')
else
  mapfile -t listed < <(find . -path './build*' -prune -o -type f \
    \( -name '*.c' -o -name '*.cc' -o -name '*.cpp' -o -name '*.h' -o -name '*.hpp' \) -print |
    sort)
fi
files=()
for f in "${listed[@]}"; do [ -e "$f" ] && files+=("$f"); done  # not deleted meanwhile
[ "${#files[@]}" -gt 0 ] || { echo "$0: no C++ files under $PWD" >&2; exit 1; }
"$formatter" --dry-run --Werror "${files[@]}"
echo "${#files[@]} files as clang-format leaves them"
