#!/usr/bin/env bash
# The format check itself, on a small tree without git: it passes files the formatter leaves
# as they are, and fails on a file it would change, naming it, wherever the file lies.
#   usage: format_check_test.sh SOURCE_DIR
set -euo pipefail
check=$1/tests/format/check_format.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1/.clang-format" "$work/"
mkdir -p "$work/src/deep" "$work/build/stale"
printf 'int shown(int *picture) { return picture[0]; }\n' >"$work/src/deep/kept.cpp"
printf 'int  left ;\n' >"$work/build/stale/generated.cpp"  # build folders are not ours
bash "$check" "$work" >/dev/null || { echo "a formatted tree was refused" >&2; exit 1; }

printf 'int shown(int* picture) { return picture[0]; }\n' >"$work/src/deep/pointer.h"
if bash "$check" "$work" >"$work/out" 2>&1; then
  echo "a pointer on the wrong side passed" >&2; exit 1
fi
grep -q 'src/deep/pointer.h' "$work/out" || { echo "the check did not name the file" >&2; exit 1; }
rm "$work/src/deep/pointer.h"

printf '%s\n' "int wide = $(printf '1 + %.0s' {1..40})1;" >"$work/src/long_line.cc"
if bash "$check" "$work" >/dev/null 2>&1; then
  echo "a line past 100 columns passed" >&2; exit 1
fi
echo "the format check passes a formatted tree and names what it would change"
