#!/usr/bin/env bash
# Starts the game again and again the way a busy desktop or our own tests do: each
# round on a fresh virtual display that the game itself has just used and left (it
# opens its OpenGL window there and quits with Q), then starts it once more at once
# and counts whether that start shows the launcher. Long: not part of the normal
# test run.
# Usage: fresh_display_starts.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER [ROUNDS]
set -u

if [ -z "${ZF_FRESH_DISPLAY_ROUND:-}" ]; then
  if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: $0 PATH-OF-zorbak SOURCE-MEDIA-FOLDER [ROUNDS]" >&2
    exit 2
  fi
  rounds=${3:-100}
  ZF_FRESH_DISPLAY_LOG=$(mktemp)
  export ZF_FRESH_DISPLAY_LOG
  for round in $(seq "$rounds"); do
    # Each round execs its own xvfb-run: a fresh display every time.
    env -u ZF_E2E_DISPLAY_READY ZF_FRESH_DISPLAY_ROUND="$round" bash "$0" "$1" "$2"
  done
  # The counted start is the one right after the game used the same display. The
  # first start of each round is shown too: it follows the short connection with
  # which the test waits for the fresh display, after which the server resets too.
  after=$(grep -c '^after shown$' "$ZF_FRESH_DISPLAY_LOG")
  before=$(grep -c '^before shown$' "$ZF_FRESH_DISPLAY_LOG")
  echo "fresh-display starts right after an OpenGL program: $after of $rounds showed the launcher"
  echo "first starts of the rounds: $before of $rounds showed the launcher"
  rm -f "$ZF_FRESH_DISPLAY_LOG"
  [ "$after" -eq "$rounds" ] && [ "$before" -eq "$rounds" ]
  exit
fi

# The display resets itself after the game leaves it, as any X server does: the
# next start races that.
E2E_SERVER_RESETS=1
# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
require_close_window

# Like start_program, but gives up as soon as the program has ended without a
# launcher, so a failed start costs no time.
start_and_wait_for_launcher() {  # which start: before or after
  (cd "$GAME" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$AUDIO" exec timeout 150 ./zorbak) \
    > "$OUTPUT" 2>&1 &
  GAME_PID=$!
  local deadline=$(($(now_ms) + 20000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    LAUNCHER=$(xdotool search --onlyvisible --class '^ZorbakLauncher$' 2> /dev/null | head -n 1)
    if [ -n "$LAUNCHER" ]; then
      echo "$1 shown" >> "$ZF_FRESH_DISPLAY_LOG"
      return 0
    fi
    if ! kill -0 "$GAME_PID" 2> /dev/null; then
      wait "$GAME_PID"
      fail "round $ZF_FRESH_DISPLAY_ROUND: the game ended with $? and no launcher; it said: $(tr '\n' '|' < "$OUTPUT")"
      GAME_PID=""
      return 1
    fi
    sleep 0.05
  done
  fail "round $ZF_FRESH_DISPLAY_ROUND: no launcher within 20 s"
  stop_game
  return 1
}

WINDOWED_640=$'[Game]\nWindowed=1\nLights=0\nMusic=0\nJoystick=0\nUseHiQualTex=0\nWidth=640\nHeight=480\nUseScreenRes=0\n'

# Both folders are made first, so the second start follows the first game's exit
# at once: the display is then still busy forgetting the game's OpenGL client.
new_game_folder after "$WINDOWED_640"
AFTER_GAME=$GAME
new_game_folder before "$WINDOWED_640"

SCENARIO="OpenGL program before"
if ! start_and_wait_for_launcher before; then
  exit 1
fi
sleep 0.3
press_start
if ! find_game_window 30; then
  stop_game
  exit 1
fi
sleep 0.5
xdotool mousemove --window "$GAME_WINDOW" 320 240 key q
wait "$GAME_PID"
expect_eq "exit code after Q" "$?" 0
GAME_PID=""

SCENARIO="start right after"
GAME=$AFTER_GAME
AUDIO="$GAME/audio.raw"
OUTPUT="$GAME/output.txt"
if start_and_wait_for_launcher after; then
  close_window "$LAUNCHER"
  expect_exit 255 10 "the close request"
fi
[ "$FAILURES" -eq 0 ]
