# Sourced by the measuring scripts: the build they measure ($build), and an X
# server of their own on a random display, DISPLAY pointing at it. The program
# they start (its process in $program) and the server stop when they exit.
build=${BUILD_DIR:-$PWD/build}
display=:$((200 + RANDOM % 300))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
program=
trap 'kill $program 2>/dev/null; wait $program 2>/dev/null; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
