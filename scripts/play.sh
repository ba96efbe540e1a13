#!/usr/bin/env bash
# Sets up, builds the game, its showcase, the asset maker and the assets (no
# tests), and starts the game in its asset folder. Hold Escape to quit.
# Warnings stop only CI's build: a newer compiler may warn where ours does not.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh play
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEPHYRUN_TESTS=OFF -DZEPHYRUN_BENCHMARKS=OFF \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=OFF
cmake --build build -j"$(nproc)" --target zephyrun zephyrun-showcase assets
cd build/assets
exec ../zephyrun
