#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite under an X server of its own,
# then builds everything again under AddressSanitizer and UndefinedBehaviorSanitizer
# (build-sanitize/) and runs the whole suite once more: a sanitizer's report fails
# its test. Fails if either run fails.
# --long also runs the slow checks (fuzzing) that CI leaves out.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
source scripts/own-x-server.sh
ctest --test-dir build --output-on-failure -j2
echo "The whole suite again, under AddressSanitizer and UndefinedBehaviorSanitizer:"
ZEPHYRUN_SANITIZE=ON bash scripts/build.sh
ctest --test-dir build-sanitize --output-on-failure -j2
if [ "${1:-}" = "--long" ]; then
  bash scripts/fuzz-mp3.sh build 60
  bash scripts/fuzz-pictures.sh build 60
fi
