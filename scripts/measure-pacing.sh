#!/usr/bin/env bash
# Runs the built game under an X server of its own for 40 s and prints, once a
# second, the number its frame counter shows; then the game's CPU use over a
# 10 s stretch of paced play, as a share of one core. Given window scales, it
# does so once at each, in turn, on a screen the largest fits on; without,
# it runs the game with no options. Build first (build.sh).
#   usage: scripts/measure-pacing.sh [SCALE ...]     e.g. 1 2
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test
build=${BUILD_DIR:-$PWD/build}
scales=("$@")
[ $# -gt 0 ] || scales=("")
largest=$(printf '%s\n' "${scales[@]}" | sort -n | tail -1)
largest=${largest:-1}
export X_SERVER_SCREEN=${X_SERVER_SCREEN:-$((640 * largest + 64))x$((480 * largest + 64))x24}
source scripts/own-x-server.sh
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' /proc/$program/stat; }
for scale in "${scales[@]}"; do
  options=()
  [ -z "$scale" ] || options=(--scale "$scale")
  (cd "$build/assets" && exec ../zephyrun "${options[@]}") &
  program=$!
  window=$(xdotool search --sync --onlyvisible --name '^zephyrun$' | head -1)
  echo "${scale:+scale $scale: }second counter"
  for s in $(seq 1 40); do
    sleep 1 &
    wait $!
    # The counter is read off the frame as drawn: the window sampled down to 640x480.
    value=$(xwd -silent -id "$window" | convert xwd:- -sample '640x480!' -depth 8 ppm:- |
      "$build/read_game_counter")
    echo "$s $value"
  done
  before=$(cpu)
  sleep 10
  after=$(cpu)
  echo "${scale:+scale $scale: }cpu share of one core over 10 s:" \
    "$(echo "scale=3; ($after - $before) / $ticks / 10" | bc)"
  xdotool keydown --window "$window" Escape
  wait "$program" || true
  program=
done
