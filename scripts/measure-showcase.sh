#!/usr/bin/env bash
# Runs the built toolkit showcase under an X server of its own and prints the
# frame counter every 2 s and the CPU use (as a share of one core): for 10 s
# on the voxel scene in software, then for 60 s after switching to OpenGL,
# where the pacing waits with OpenGL clears (its mode 1). Build first (build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test
build=${BUILD_DIR:-$PWD/build}
source scripts/own-x-server.sh
(cd "$build/assets" && exec ../zephyrun-showcase) >/dev/null 2>&1 &
program=$!
window=$(xdotool search --sync --onlyvisible --name '^zephyrun-showcase$' | head -1)
press() {
  xdotool keydown --window "$window" "$1"
  sleep 0.15
  xdotool keyup --window "$window" "$1"
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$program/stat"; }
ticks_per_second=$(getconf CLK_TCK)
# Counter readings every 2 s for $1 s, then the CPU share over that time.
measure() {
  local before readings="" after value
  before=$(cpu_ticks)
  for _ in $(seq $(($1 / 2))); do
    sleep 2
    value=$(xwd -silent -id "$window" | convert xwd:- -depth 8 ppm:- | "$build/read_game_counter")
    readings="$readings $value"
  done
  after=$(cpu_ticks)
  echo "  counter:$readings"
  echo "  cpu share of one core: $(echo "scale=3; ($after - $before) / $ticks_per_second / $1" | bc)"
}

sleep 4  # past the first, unpaced, measuring window
press Tab
echo "software, voxel scene:"
measure 10
press Tab; press Tab; press Tab
# The OpenGL mode brings a window of its own.
xdotool keydown --window "$window" g
sleep 1.5
window=$(xdotool search --onlyvisible --name '^zephyrun-showcase$' | tail -1)
xdotool keyup --window "$window" g
press Tab  # the transitions scene: flat, so the counter stays readable
echo "OpenGL, pacing mode 1, transitions scene:"
measure 60
