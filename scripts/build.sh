#!/usr/bin/env bash
# Installs what is missing, then builds the game, its tools and the tests into
# build/ (the build also draws the assets into build/assets/). Benchmarks only
# with ZEPHYRUN_BENCHMARKS=ON; never the fuzz targets (scripts/fuzz-mp3.sh
# turns them on for its own run).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEPHYRUN_TESTS=ON \
  ${ZEPHYRUN_BENCHMARKS:+-DZEPHYRUN_BENCHMARKS=$ZEPHYRUN_BENCHMARKS} -DZEPHYRUN_FUZZ=OFF
cmake --build build -j"$(nproc)"
