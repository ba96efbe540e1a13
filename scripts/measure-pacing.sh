#!/usr/bin/env bash
# Runs the built game under an X server of its own for 40 s and prints, once a
# second, the number its frame counter shows; then the game's CPU use over a
# 10 s stretch of paced play, as a share of one core. Build first (build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test
build=${BUILD_DIR:-$PWD/build}
source scripts/own-x-server.sh
(cd "$build/assets" && exec ../zephyrun) &
program=$!
window=$(xdotool search --sync --name '^zephyrun$' | head -1)
start=$(date +%s.%N)
echo "second counter"
for s in $(seq 1 40); do
  sleep 1 &
  wait $!
  value=$(xwd -silent -id "$window" | convert xwd:- -depth 8 ppm:- | "$build/read_game_counter")
  echo "$s $value"
done
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' /proc/$program/stat; }
before=$(cpu)
sleep 10
after=$(cpu)
echo "cpu share of one core over 10 s: $(echo "scale=3; ($after - $before) / $ticks / 10" | bc)"
