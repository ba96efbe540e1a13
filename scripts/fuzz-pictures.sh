#!/usr/bin/env bash
# Long-mode check of the picture check: runs its libFuzzer target (ASan and
# UBSan, every picture it accepts loaded by the library) for a while, seeded
# with the asset maker's pictures, and fails on any crash, leak, sanitizer
# report or hang. Not part of the default test run.
# Usage: scripts/fuzz-pictures.sh [BUILD_DIR] [SECONDS]   (defaults: build, 60)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
seconds=${2:-60}
log=$build/picture_fuzz.log

bash "$root/scripts/install-deps.sh" test
# The fuzz target is built only when asked for.
grep -q '^ZEPHYRUN_FUZZ:BOOL=ON' "$build/CMakeCache.txt" ||
  cmake -S "$root" -B "$build" -DZEPHYRUN_FUZZ=ON >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
cmake --build "$build" --target picture_check_fuzz picture_fuzz_seeds >"$log" 2>&1 ||
  { cat "$log" >&2; exit 1; }

# New findings go to the corpus; the seeds stay as the build made them.
corpus=$build/picture_fuzz_corpus
mkdir -p "$corpus"
cd "$build"  # crash reproducers land here
summary='^#[0-9]+[[:space:]]+(INITED|DONE)|ERROR|SUMMARY|stat::number_of_executed_units'
summary+='|stat::average_exec_per_sec'
"$build/tests/picture_check_fuzz" -max_total_time="$seconds" -max_len=1100000 -timeout=30 \
  -rss_limit_mb=2048 -print_final_stats=1 "$corpus" "$build/tests/picture_fuzz_seeds" 2>&1 |
  tee "$log" | grep -E "$summary"
status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ]; then
  echo "fuzz-pictures: the fuzzer stopped with status $status; see $log" >&2
  exit 1
fi
echo "fuzz-pictures: ${seconds}s, no crash ($log)"
