#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite under an X server of its own.
# --long also runs the slow checks (fuzzing) that CI leaves out.
set -euo pipefail
cd "$(dirname "$0")/.."
export ZEPHYRUN_LONG_TESTS=OFF
[ "${1:-}" = "--long" ] && ZEPHYRUN_LONG_TESTS=ON
bash scripts/build.sh
# xvfb-run picks a free display and stops the server when the tests end. The
# server must not reset when its last client leaves: a program started in that
# moment is hung up on and cannot start.
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" \
  ctest --test-dir build --output-on-failure -j2
