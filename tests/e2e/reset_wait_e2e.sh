#!/usr/bin/env bash
# The pause after a score or a lost game: the game waits several seconds for the
# theme or the whistle and takes no game input meanwhile, but its window keeps
# answering. The desktop's ping is answered during the wait, and a close request
# then ends the program at once (within 200 ms), with the exit code of Q.
# Usage: reset_wait_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
set -u

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
require_close_window
P="$WORK/pictures"
mkdir -p "$P"
CLOSE_LIMIT_MS=200
PING_LIMIT_MS=200
if [ ! -x "${ZF_PING_WINDOW:-}" ]; then
  echo "FAIL: no ping helper: set ZF_PING_WINDOW to the built ping_window program"
  exit 1
fi

start_game_window wait "$(windowed_options 640 480)" || finish "reset wait e2e"
xdotool mousemove --window "$GAME_WINDOW" 320 240 sleep 0.2
shot "$P/start.png"

echo "Hike and kick at once: the ball is judged within seconds, a field goal or a miss"
hold_key space
kicked=$(now_ms)
hold_key ctrl
wait_for_label_change "$P/start.png" 15 "$P/judged.png" || {
  fail "no field goal or miss within 15 s of the kick"
  finish "reset wait e2e"
}
# The wait begins a step or two after the message shows, and lasts as long as the
# theme (5 s) or the whistle at a quarter of its rate (4.5 s): a close sent after
# the message and less than 4.5 s after the kick comes during the wait.
SHORTEST_WAIT_MS=4500
sleep 0.2

echo "Ping the window during the wait, as GNOME and KDE do"
if answered=$("$ZF_PING_WINDOW" "$GAME_WINDOW" "$PING_LIMIT_MS"); then
  note "the ping was answered in $answered ms"
else
  fail "no answer to the ping within $PING_LIMIT_MS ms"
fi

echo "Close the window during the wait"
started=$(now_ms)
close_window "$GAME_WINDOW"
while kill -0 "$GAME_PID" 2> /dev/null && [ $(($(now_ms) - started)) -lt 10000 ]; do
  sleep 0.01
done
took=$(($(now_ms) - started))
note "the program ended $took ms after the close request"
[ "$took" -le "$CLOSE_LIMIT_MS" ] || fail "the program ended $took ms after the close request (limit $CLOSE_LIMIT_MS ms)"
expect_exit 0 5 "the close request"
since_kick=$((started - kicked))
note "the close was sent $since_kick ms after the kick"
[ "$since_kick" -lt "$SHORTEST_WAIT_MS" ] ||
  fail "the close came $since_kick ms after the kick: too late to be sure it came during the wait"
finish "reset wait e2e"
