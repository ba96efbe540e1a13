#!/usr/bin/env bash
# The whole test suite, as CI runs it: sets up, builds into build/ and runs every test under
# an X server of its own, then builds everything again under AddressSanitizer and
# UndefinedBehaviorSanitizer into build-sanitize/ and runs the tests once more (a sanitizer's
# report fails its test). The checks that read only the sources (format, static analysis,
# the software-centre entry) run once, in the first pass. Fails if either pass fails.
#   usage: scripts/test.sh [--quick | --long]
#     --quick  the everyday loop: builds build/ and runs only the tests that need no X
#              server and no staged install, no sanitized pass
#     --long   the whole suite, then the slow checks that CI leaves out (fuzzing)
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-}
case $mode in "" | --quick | --long) ;; *) echo "usage: $0 [--quick | --long]" >&2; exit 2 ;; esac
bash scripts/build.sh
if [ "$mode" = --quick ]; then
  ctest --test-dir build --output-on-failure -j2 -LE 'x11|install'
  echo "quick run: $(ctest --test-dir build -N -LE 'x11|install' | sed -n 's/^Total Tests: //p')" \
    "tests; left out: $(ctest --test-dir build -N -L x11 | sed -n 's/^Total Tests: //p') that need" \
    "an X server, the install test, and the sanitized pass (bash scripts/test.sh runs them all)"
  exit 0
fi
source scripts/own-x-server.sh
ctest --test-dir build --output-on-failure -j2
echo "The whole suite again, under AddressSanitizer and UndefinedBehaviorSanitizer:"
ZEPHYRUN_SANITIZE=ON bash scripts/build.sh
ctest --test-dir build-sanitize --output-on-failure -j2
if [ "$mode" = --long ]; then
  for reader in mp3 pictures datafiles; do bash scripts/fuzz.sh "$reader" build 60; done
fi
