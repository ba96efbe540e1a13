#!/usr/bin/env bash
# Installs what is missing, then builds the game, its tools and the tests into
# build/ (the build also draws the assets into build/assets/). Benchmarks only
# with ZEPHYRUN_BENCHMARKS=ON. ZEPHYRUN_LONG_TESTS=ON also builds the fuzz
# targets and registers the long runs (fuzzing) with CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test
long=${ZEPHYRUN_LONG_TESTS:-OFF}
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEPHYRUN_TESTS=ON \
  ${ZEPHYRUN_BENCHMARKS:+-DZEPHYRUN_BENCHMARKS=$ZEPHYRUN_BENCHMARKS} \
  -DZEPHYRUN_FUZZ="$long" -DZEPHYRUN_LONG_TESTS="$long"
cmake --build build -j"$(nproc)"
