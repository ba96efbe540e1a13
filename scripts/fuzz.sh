#!/usr/bin/env bash
# Long-mode check of one of our readers of untrusted bytes: runs its libFuzzer target
# (clang, ASan and UBSan) for a while, seeded with real files, and fails on any crash, leak,
# sanitizer report or hang. Not part of the default test run; `scripts/test.sh --long` runs
# all three after the suite.
#   usage: scripts/fuzz.sh mp3|pictures|datafiles [BUILD_DIR] [SECONDS]   (build, 60)
#     mp3        the music stream, seeded with the encoded test songs
#     pictures   the picture check, seeded with the asset maker's pictures; what it accepts
#                is loaded by the library too
#     datafiles  the datafile check, seeded with the asset maker's datafile, whole and cut;
#                what it accepts is loaded by the library too
set -euo pipefail
case "${1:-}" in
  mp3) target=mp3_stream_fuzz max_len=65544 ;;
  pictures) target=picture_check_fuzz max_len=1100000 ;;
  datafiles) target=datafile_check_fuzz max_len=200000 ;;
  *) echo "usage: $0 mp3|pictures|datafiles [BUILD_DIR] [SECONDS]" >&2; exit 2 ;;
esac
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${2:-$root/build}" && pwd)
seconds=${3:-60}
log=$build/$target.log

bash "$root/scripts/install-deps.sh" test
built() { cmake --build "$build" --target "$@" >"$log" 2>&1 || { cat "$log" >&2; exit 1; }; }
# The fuzz targets are built only when asked for.
grep -q '^ZEPHYRUN_FUZZ:BOOL=ON' "$build/CMakeCache.txt" ||
  cmake -S "$root" -B "$build" -DZEPHYRUN_FUZZ=ON >"$log" 2>&1 || { cat "$log" >&2; exit 1; }

# The seeds stay as made here; what the fuzzer finds goes to the corpus.
seeds=$build/${target}_seeds
corpus=$build/${target}_corpus
mkdir -p "$seeds" "$corpus"
case $1 in
  mp3)
    built "$target"
    "$root/tests/support/make_mp3_fixtures.sh" "$build/mp3_fixtures"
    # Real songs behind a few control prefixes: block size index, buffer length in 2-byte
    # units, then the seed of the fuzzer's later choices.
    for f in short.mp3 mono.mp3 mpeg2_22khz.mp3 mpeg25_8khz.mp3 layer2.mp2 stereo_vbr.mp3 \
      stereo_cbr.mp3; do
      for control in '\x07\x00\x20\x01\x02\x03\x04\x05' '\x02\x80\x02\x11\x22\x33\x44\x55' \
        '\x04\x00\x01\x99\x88\x77\x66\x55'; do
        seed="$seeds/$f-${control//\\x/}"
        [ -f "$seed" ] || { printf "$control"; head -c 60000 "$build/mp3_fixtures/$f"; } >"$seed"
      done
    done ;;
  pictures)
    built "$target" picture_fuzz_seeds
    seeds=$build/tests/picture_fuzz_seeds ;;
  datafiles)
    built "$target" assets
    # The target reads a datafile without the packfile layer's 4-byte "not packed" magic.
    tail -c +5 "$build/assets/cor.dat" >"$seeds/whole"
    size=$(stat -c %s "$seeds/whole")
    for part in 2 3 7; do head -c $((size / part)) "$seeds/whole" >"$seeds/cut-$part"; done ;;
esac

cd "$build"  # crash reproducers land here
summary='^#[0-9]+[[:space:]]+(INITED|DONE)|ERROR|SUMMARY|stat::number_of_executed_units'
summary+='|stat::average_exec_per_sec'
set +e  # the fuzzer's own status is what counts, not the filter's
"$build/tests/$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=30 \
  -rss_limit_mb=2048 -print_final_stats=1 "$corpus" "$seeds" 2>&1 | tee "$log" |
  grep -E "$summary"
status=${PIPESTATUS[0]}
set -e
if [ "$status" -ne 0 ]; then
  echo "fuzz $1: the fuzzer stopped with status $status; see $log" >&2
  exit 1
fi
echo "fuzz $1: ${seconds}s, no crash ($log)"
