#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite under an X server of its own.
# --long also runs the slow checks (fuzzing) that CI leaves out.
set -euo pipefail
cd "$(dirname "$0")/.."
export ZEPHYRUN_LONG_TESTS=OFF
[ "${1:-}" = "--long" ] && ZEPHYRUN_LONG_TESTS=ON
bash scripts/build.sh
source scripts/own-x-server.sh
ctest --test-dir build --output-on-failure -j2
