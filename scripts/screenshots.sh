#!/usr/bin/env bash
# Runs the built game and the toolkit showcase under an X server of its own
# and saves pictures of their windows in BUILD/screenshots: title.png (the
# title picture, before it has faded), flying.png (the flying scene with a shot
# in flight), resting.png (the game resting while another window has the
# keyboard), fullscreen.png (the whole 1920x1080 desktop with the game in
# fullscreen under openbox), and from the showcase showcase-dissolve.png (a column dissolve
# half-way), showcase-voxel.png, showcase-collision.png (a marked hit) and
# showcase-opengl.png (the flying scene on its turning quad). The two the
# README shows, flying.png and showcase-voxel.png, are copied into docs/.
#   usage: scripts/screenshots.sh [build dir, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test
build=$(realpath "${1:-build}")
out=$build/screenshots
[ -x "$build/zephyrun" ] && [ -x "$build/zephyrun-showcase" ] && [ -f "$build/assets/cor.dat" ] ||
  { echo "no built game in $build (run scripts/build.sh first)" >&2; exit 1; }
mkdir -p "$out"
rm -f "$out"/{title,flying,resting,fullscreen}.png
# Frames and logs on the way; kept for a look when something goes wrong.
work=$out/work
rm -rf "$work"
mkdir -p "$work"
# A desktop of today's common size, with a window manager that honours fullscreen.
export X_SERVER_SCREEN=${X_SERVER_SCREEN:-1920x1080x24}
export X_SERVER_WINDOW_MANAGER=${X_SERVER_WINDOW_MANAGER-openbox}
source scripts/own-x-server.sh
(cd "$build/assets" && exec "$build/zephyrun") >"$work/game.log" 2>&1 &
program=$!
shoot() { xwd -silent -id "$window" | convert xwd:- "$1"; }

# Unpaced at first, the title fades out within a fraction of a second. So the
# game is stopped as soon as its window shows, and let run in short bursts
# between pictures; the brightest frame that is still the title picture (its
# fade keeps the picture's pattern, only darker) is kept.
window=
for _ in $(seq 3000); do
  window=$(xdotool search --onlyvisible --name '^zephyrun$' 2>/dev/null | head -1) || true
  [ -n "$window" ] && break
  sleep 0.005
done
[ -n "$window" ] || { echo "the game's window never showed" >&2; cat "$work/game.log" >&2; exit 1; }
kill -STOP "$program"
convert "$build/assets/present.bmp" "$work/present.png"
best=0
for n in $(seq 12); do
  shoot "$work/frame.png"
  likeness=$(compare -metric NCC "$work/present.png" "$work/frame.png" null: 2>&1 || true)
  level=$(convert "$work/frame.png" -colorspace Gray -format '%[fx:mean]' info:)
  [ -n "${SCREENSHOTS_VERBOSE:-}" ] && echo "frame $n: likeness $likeness, brightness $level" >&2
  if awk "BEGIN { exit !($likeness > 0.9 && $level > $best) }"; then
    best=$level
    cp "$work/frame.png" "$out/title.png"
  fi
  kill -CONT "$program"; sleep 0.003; kill -STOP "$program"
done
kill -CONT "$program"
[ -f "$out/title.png" ] || echo "no title frame caught" >&2

# Past the fly-in, once the pacing has settled (its counter near 30), fire
# and catch the shot early in its flight.
sleep 8
xdotool keydown --window "$window" space
sleep 0.15
shoot "$out/flying.png"
xdotool keyup --window "$window" space

# Another window takes the keyboard: the game rests; then it has it back.
xmessage -geometry +1500+900 "another window" >/dev/null 2>&1 &
other=$!
xdotool windowfocus --sync "$(xdotool search --sync --name '^xmessage$' | head -1)"
sleep 1
shoot "$out/resting.png"
kill "$other"
xdotool windowfocus --sync "$window"
# Fullscreen, and the whole desktop as the player sees it.
xdotool key --window "$window" F11
sleep 3
xwd -silent -root | convert xwd:- "$out/fullscreen.png"
window=$(xdotool search --onlyvisible --name '^zephyrun$' | head -1)

xdotool keydown --window "$window" Escape
for _ in $(seq 50); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
xdotool keyup Escape  # held in the server's keyboard otherwise, for the next program
program=

(cd "$build/assets" && exec "$build/zephyrun-showcase") >"$work/showcase.log" 2>&1 &
program=$!
window=$(xdotool search --sync --onlyvisible --name '^zephyrun-showcase$' | head -1)
press() {
  xdotool keydown --window "$window" "$1"
  sleep "${2:-0.15}"
  xdotool keyup --window "$window" "$1"
}
sleep 3  # past the pacing's first, unpaced, measuring window
press 3; sleep 1.2; shoot "$out/showcase-dissolve.png"
sleep 4
press Tab; sleep 0.5; press Right 0.3; sleep 0.3; shoot "$out/showcase-voxel.png"
press Tab; sleep 0.5; press Right 2.6; sleep 0.3; shoot "$out/showcase-collision.png"
press Tab; press Tab; sleep 0.5
# The OpenGL mode brings a window of its own.
xdotool keydown --window "$window" g; sleep 1.5
window=$(xdotool search --onlyvisible --name '^zephyrun-showcase$' | tail -1)
xdotool keyup --window "$window" g
sleep 1.5; shoot "$out/showcase-opengl.png"
xdotool keydown --window "$window" Escape  # the window is gone before a key-up could reach it
for _ in $(seq 50); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
program=
cp "$out/flying.png" "$out/showcase-voxel.png" docs/
echo "saved title.png, flying.png, resting.png, fullscreen.png and"
echo "showcase-{dissolve,voxel,collision,opengl}.png in $out;"
echo "copied flying.png and showcase-voxel.png into docs/"
