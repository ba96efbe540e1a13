#!/usr/bin/env bash
# Long-mode check of the music stream: runs its libFuzzer target (ASan and
# UBSan) for a while, seeded with the encoded test files, and fails on any
# crash, leak, sanitizer report or hang. Not part of the default test run.
# Usage: scripts/fuzz-mp3.sh [BUILD_DIR] [SECONDS]   (defaults: build, 60)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
seconds=${2:-60}
fuzzer=$build/tests/mp3_stream_fuzz

bash "$root/scripts/install-deps.sh" test
# The fuzz target is built only when asked for.
grep -q '^ZEPHYRUN_FUZZ:BOOL=ON' "$build/CMakeCache.txt" ||
  cmake -S "$root" -B "$build" -DZEPHYRUN_FUZZ=ON >"$build/mp3_fuzz_build.log" 2>&1 ||
  { cat "$build/mp3_fuzz_build.log" >&2; exit 1; }
cmake --build "$build" --target mp3_stream_fuzz >"$build/mp3_fuzz_build.log" 2>&1 ||
  { cat "$build/mp3_fuzz_build.log" >&2; exit 1; }
fixtures=$build/mp3_fixtures
"$root/tests/support/make_mp3_fixtures.sh" "$fixtures"

# Seeds: real files behind a few control prefixes (block size index, buffer
# length in 2-byte units, then the seed of the fuzzer's later choices).
corpus=$build/mp3_fuzz_corpus
mkdir -p "$corpus"
for f in short.mp3 mono.mp3 mpeg2_22khz.mp3 mpeg25_8khz.mp3 layer2.mp2 stereo_vbr.mp3 stereo_cbr.mp3; do
  for control in '\x07\x00\x20\x01\x02\x03\x04\x05' '\x02\x80\x02\x11\x22\x33\x44\x55' '\x04\x00\x01\x99\x88\x77\x66\x55'; do
    seed="$corpus/seed-$f-${control//\\x/}"
    [ -f "$seed" ] || { printf "$control"; head -c 60000 "$fixtures/$f"; } > "$seed"
  done
done

log=$build/mp3_fuzz.log
cd "$build"  # crash reproducers land here
"$fuzzer" -max_total_time="$seconds" -max_len=65544 -timeout=30 -rss_limit_mb=2048 \
  -print_final_stats=1 "$corpus" 2>&1 | tee "$log" | grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|ERROR|SUMMARY|stat::number_of_executed_units|stat::average_exec_per_sec'
status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ]; then
  echo "fuzz-mp3: the fuzzer stopped with status $status; see $log" >&2
  exit 1
fi
echo "fuzz-mp3: ${seconds}s, no crash ($log)"
