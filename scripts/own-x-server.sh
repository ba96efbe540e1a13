# Sourced by every script that needs a display: starts an X server of the
# script's own on a display the server picks itself, and points DISPLAY at it,
# and gives what runs there an empty settings folder (XDG_CONFIG_HOME).
# Run as a command (a test does), it runs its arguments under such a server.
# X_SERVER_ARGUMENTS adds to the server's own (say "-extension GLX");
# X_SERVER_SCREEN sets its screen, WIDTHxHEIGHTxDEPTH (1024x768x24 unless given);
# X_SERVER_WINDOW_MANAGER names a window manager to run on it (say openbox), ready
# before anything else starts.
# The server must not reset when its last client leaves: a program started in
# that moment is hung up on and cannot start. When the script exits, the
# program it started (its process in $program, if any) stops first, then the
# server; the script's exit status is kept.
program=
window_manager=
x_server_display_file=$(mktemp)
# What runs here is measured or tested: a player's own settings file must not reach it.
export XDG_CONFIG_HOME
XDG_CONFIG_HOME=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 "${X_SERVER_SCREEN:-1024x768x24}" -nolisten tcp -noreset \
  ${X_SERVER_ARGUMENTS:-} 3>"$x_server_display_file" >/dev/null 2>&1 &
x_server=$!
stop_own_x_server() {
  local status=$?
  if [ -n "$program" ]; then
    kill -CONT "$program" 2>/dev/null || true
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
  fi
  [ -z "$window_manager" ] || kill "$window_manager" 2>/dev/null || true
  kill "$x_server" 2>/dev/null || true
  wait "$x_server" 2>/dev/null || true
  rm -f "$x_server_display_file"
  rm -rf "$XDG_CONFIG_HOME"
  exit "$status"
}
trap stop_own_x_server EXIT
for _ in $(seq 100); do
  [ -s "$x_server_display_file" ] && break
  sleep 0.1
done
[ -s "$x_server_display_file" ] || { echo "$0: the X server (Xvfb) did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$x_server_display_file")"
if [ -n "${X_SERVER_WINDOW_MANAGER:-}" ]; then
  $X_SERVER_WINDOW_MANAGER >/dev/null 2>&1 &
  window_manager=$!
  # A manager is ready once it names itself on the root window, as the freedesktop hints ask.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' ||
    { echo "$0: $X_SERVER_WINDOW_MANAGER did not start" >&2; exit 1; }
fi
if [ "${BASH_SOURCE[0]}" = "$0" ] && [ $# -gt 0 ]; then "$@"; fi
