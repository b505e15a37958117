#!/usr/bin/env bash
# Starts that meet no display, or a display that refuses: the game rides out a
# display that drops its first connections (the launcher's and the game window's
# own), gives up on one that never answers after about two seconds, fails at once
# where there is no display at all, and never ends without saying why: one line on
# standard error naming the display and the reason, and a box where a display can
# show one. A stand-in display (ZF_REFUSING_DISPLAY) drops connections on purpose
# and passes the others through to this script's own Xvfb.
# Usage: display_start_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
# shellcheck disable=SC2016  # wait_until's checks are bash text, run later
set -u

# Small enough that the largest launcher choice is no full-screen mode here.
E2E_SCREEN=800x600x24
# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
require_label_picture
if [ ! -x "${ZF_REFUSING_DISPLAY:-}" ]; then
  echo "FAIL: set ZF_REFUSING_DISPLAY to the built refusing_display program"
  exit 1
fi

STAND_IN_PID=""
STAND_IN_LOG="$WORK/stand-in.log"
STAND_IN=""

stop_stand_in() {
  end_process "$STAND_IN_PID"
  STAND_IN_PID=""
}
on_exit stop_stand_in

# Starts a stand-in display that treats its connections by the pattern (one
# letter each, d drop, p pass; the last one holds) and lets our clients in with
# this display's key. Its number is left in STAND_IN.
start_stand_in() {  # pattern
  local number=${DISPLAY#:}
  number=${number%%.*}
  "$ZF_REFUSING_DISPLAY" 300 "/tmp/.X11-unix/X$number" "$1" > "$STAND_IN_LOG" &
  STAND_IN_PID=$!
  STAND_IN=""
  wait_until 'STAND_IN=$(head -n 1 "$STAND_IN_LOG" 2> /dev/null) && [ -n "$STAND_IN" ]' 30 \
    "the stand-in display did not start" || return 1
  xauth add ":$STAND_IN" . "$(xauth list "$DISPLAY" | awk '{print $3; exit}')"
}

dropped_connections() {
  grep -c '^dropped' "$STAND_IN_LOG"
}

# A display number that no server uses.
free_display() {
  local number=400
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
    number=$((number + 1))
  done
  echo "$number"
}

# Runs the game in $GAME to its end with the given environment changes; leaves its
# exit code, its run time in ms and its standard error in RUN_CODE, RUN_MS and
# RUN_ERR.
run_to_end() {  # env arguments...
  local started
  started=$(now_ms)
  (cd "$GAME" && exec timeout 60 env "$@" ./zorbak) > "$OUTPUT" 2> "$GAME/stderr.txt"
  RUN_CODE=$?
  RUN_MS=$(($(now_ms) - started))
  RUN_ERR=$(cat "$GAME/stderr.txt")
}

# The game ended as a failed start: -1, one line on standard error holding each
# of the given texts.
expect_failed_start() {  # texts...
  expect_eq "exit code" "$RUN_CODE" 255
  expect_eq "lines on standard error" "$(grep -c '' "$GAME/stderr.txt")" 1
  local text
  for text in "$@"; do
    grep -qF -- "$text" "$GAME/stderr.txt" || fail "standard error does not say '$text': $RUN_ERR"
  done
  note "$SCENARIO: $RUN_MS ms: $RUN_ERR"
}

shutdown_box() {
  xwininfo -root -tree | awk '/"SHUTDOWN ERROR"/ {print $1; exit}'
}

WINDOWED_640=$'[Game]\nWindowed=1\nLights=0\nMusic=0\nJoystick=0\nUseHiQualTex=0\nWidth=640\nHeight=480\nUseScreenRes=0\n'

# No display at all: no waiting, and the player reads which display is missing.
SCENARIO="no display"
new_game_folder nodisplay
run_to_end -u DISPLAY
expect_failed_start "DISPLAY is not set" "launcher"
GAVE_UP_MS=("no display" "$RUN_MS")

SCENARIO="display with no server"
new_game_folder noserver
ABSENT=$(free_display)
run_to_end DISPLAY=":$ABSENT"
expect_failed_start "\":$ABSENT\"" "/tmp/.X11-unix/X$ABSENT"
GAVE_UP_MS+=("display with no server" "$RUN_MS")

# Three connections dropped before the launcher's gets through, three more before
# the game window's: both wait, and the player notices nothing.
SCENARIO="display refusing for a moment"
new_game_folder refusing "$WINDOWED_640"
if start_stand_in dddpdddp; then
  if GAME_DISPLAY=":$STAND_IN" start_game; then
    press_start
    if find_game_window 60; then
      wait_for_label_text "SCORE: 0" 60
      xdotool mousemove --window "$GAME_WINDOW" 320 240 key q
      expect_exit 0 60 Q
    else
      stop_game
    fi
  fi
  [ "$(dropped_connections)" -ge 6 ] || fail "only $(dropped_connections) connections were dropped"
  grep -q '^zorbak:' "$OUTPUT" && fail "the game reported a failure: $(cat "$OUTPUT")"
  stop_stand_in
fi

SCENARIO="display that never answers"
new_game_folder never
if start_stand_in d; then
  run_to_end DISPLAY=":$STAND_IN"
  expect_failed_start "\":$STAND_IN\"" "launcher" "refused"
  # About two seconds of tries, not one, and not forever.
  [ "$RUN_MS" -ge 2000 ] && [ "$RUN_MS" -lt 15000 ] || fail "gave up after $RUN_MS ms"
  [ "$(dropped_connections)" -ge 5 ] || fail "only $(dropped_connections) tries"
  # Where nothing could answer the game gives up at once: a second sooner at
  # least than after these tries. Measured against them, as the program's own
  # start, which a busy machine makes slow, is in both.
  for i in 0 2; do
    [ "${GAVE_UP_MS[$((i + 1))]}" -le $((RUN_MS - 1000)) ] ||
      fail "${GAVE_UP_MS[$i]}: took ${GAVE_UP_MS[$((i + 1))]} ms to give up, against $RUN_MS ms after two seconds of tries"
  done
  stop_stand_in
fi

# The launcher gets its display, the game window never does: SDL would fall back
# to a driver that shows nothing, and the game would run on where nobody sees it.
SCENARIO="display lost before the game window"
new_game_folder lost "$WINDOWED_640"
if start_stand_in pd; then
  if GAME_DISPLAY=":$STAND_IN" start_game; then
    press_start
    expect_exit 255 60 "Start on a lost display"
    expect_eq "lines on standard error" "$(grep -c '^zorbak:' "$OUTPUT")" 1
    grep -q "^zorbak: cannot open the game window: display \":$STAND_IN\" did not answer" "$OUTPUT" ||
      fail "standard error does not name the display: $(cat "$OUTPUT")"
    [ -z "$(game_windows)" ] || fail "a game window opened"
    note "$SCENARIO: $(cat "$OUTPUT")"
  fi
  stop_stand_in
fi

# Where a display exists, a failed start also shows a box, and the game ends when
# the player closes it.
expect_shutdown_box_after_start() {  # what standard error must match
  start_game || return
  press_start
  local box
  if wait_until 'box=$(shutdown_box) && [ -n "$box" ]' 60; then
    xdotool windowfocus --sync "$box" key Return
    expect_exit 255 60 "Return on the box"
  else
    fail "no SHUTDOWN ERROR box"
    stop_game
  fi
  expect_eq "lines of ours on standard error" "$(grep -c '^zorbak:' "$OUTPUT")" 1
  grep -q "^zorbak: cannot open the game window: $1" "$OUTPUT" ||
    fail "standard error does not say '$1': $(cat "$OUTPUT")"
  note "$SCENARIO: $(grep '^zorbak:' "$OUTPUT")"
}

SCENARIO="full-screen mode the display lacks"
new_game_folder nomode $'[Game]\nWindowed=0\nLights=0\nMusic=0\nJoystick=0\nUseHiQualTex=0\nWidth=1024\nHeight=800\nUseScreenRes=2\n'
expect_shutdown_box_after_start ".*1024 x 800"

# With no OpenGL driver the server answers with X errors, which Xlib's own
# handler would turn into an exit with 1 and its own words.
SCENARIO="no OpenGL driver"
new_game_folder nodriver "$WINDOWED_640"
LIBGL_DRIVERS_PATH=/nonexistent expect_shutdown_box_after_start "no OpenGL context: "

finish "display start e2e"
