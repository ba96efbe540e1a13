#!/usr/bin/env bash
# Installs what is missing, then builds the game, its tools, tests and
# benchmarks into build/ (the build also draws the assets into build/assets/).
# ZEPHYRUN_LONG_TESTS=ON registers the long runs (fuzzing) with CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEPHYRUN_LONG_TESTS="${ZEPHYRUN_LONG_TESTS:-OFF}"
cmake --build build -j"$(nproc)"
