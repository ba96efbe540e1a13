# Sourced by the measuring scripts: starts an X server of their own on a
# random display and points DISPLAY at it; $xvfb is its process.
display=:$((200 + RANDOM % 300))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
