#!/usr/bin/env bash
# Sets up, builds and starts the game in its asset folder. Hold Escape to quit.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build/assets
exec ../zephyrun
