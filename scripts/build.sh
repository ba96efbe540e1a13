#!/usr/bin/env bash
# Installs what is missing, then builds the game, its tools and the tests into
# build/ (the build also draws the assets into build/assets/). Benchmarks only
# with ZEPHYRUN_BENCHMARKS=ON; never the fuzz targets (scripts/fuzz.sh turns
# them on for its own run). ZEPHYRUN_SANITIZE=ON builds the same into
# build-sanitize/ instead, everything under AddressSanitizer and
# UndefinedBehaviorSanitizer. This is CI's build: a compiler warning stops it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test
sanitize=${ZEPHYRUN_SANITIZE:-OFF}
dir=build
[ "$sanitize" = ON ] && dir=build-sanitize
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEPHYRUN_TESTS=ON \
  ${ZEPHYRUN_BENCHMARKS:+-DZEPHYRUN_BENCHMARKS=$ZEPHYRUN_BENCHMARKS} -DZEPHYRUN_FUZZ=OFF \
  -DZEPHYRUN_SANITIZE="$sanitize" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build "$dir" -j"$(nproc)"
