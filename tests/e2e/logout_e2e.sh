#!/usr/bin/env bash
# The end of a desktop session under the game: at a logout the session sends
# SIGTERM and the X server goes away at the same moment. For each stage of the
# game (the launcher, the game window, the pause, the wait after a score) the
# game gets SIGTERM and its X server ends together, then each alone, RUNS times
# each (E2E_LOGOUT_RUNS, default 10). Every run must end within 2 s and leave no
# process behind: 2 s of the game's own time once it plays (its sound output,
# which runs until the process ends: the test's own slowness in seeing the end
# does not count), of real time at the launcher, which has no sound yet; the
# options are saved as on Q once Start was pressed (the launcher's options file
# stays as it was), and the exit code says what ended the
# run: 143 for SIGTERM, 1 for the lost display, either when both came at once.
# Each run has an X server and a window manager (Openbox) of its own; two runs go
# side by side (E2E_LOGOUT_LANES).
# Usage: logout_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
# shellcheck disable=SC2016  # wait_until's checks are bash text, run later
set -u

E2E_NO_DISPLAY=1
# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
require_label_picture
RUNS=${E2E_LOGOUT_RUNS:-10}
LANES=${E2E_LOGOUT_LANES:-2}
# Some keys are missing: a save writes all eight.
OPTIONS=$'[Game]\nWindowed=1\nLights=0\nWidth=640\nHeight=480\nUseScreenRes=0\n'
SERVER_PID=""

# An X server of its own on a free display, and Openbox on it.
start_server() {
  rm -f "$WORK/display"  # the old number would pass for the new one till Xvfb starts
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3> "$WORK/display" 2> /dev/null &
  SERVER_PID=$!
  wait_until '[ -s "$WORK/display" ]' 10 "no X server within 10 s" || return
  export DISPLAY=":$(head -n 1 "$WORK/display")"
  start_window_manager
}

stop_server() { stop_game; end_process "$WM_PID"; end_process "$SERVER_PID"; WM_PID="" SERVER_PID=""; }

# Brings a fresh game to the stage.
reach_stage() {  # stage
  printf '%s' "$OPTIONS" > "$GAME/media/game.ini"
  start_game || return
  [ "$1" = launcher ] && return
  press_start && find_game_window 60 && wait_for_label_text "SCORE: 0" 60 || return
  xdotool mousemove --window "$GAME_WINDOW" 320 240
  case "$1" in
    pause) hold_key p && wait_for_label_text PAUSED 30 ;;
    score)
      # The message shows once the kick is judged; the wait for the music follows.
      label_shot "$WORK/start.ppm" && hold_key space && hold_key ctrl
      wait_for_label_change "$WORK/start.ppm" 15 "$WORK/judged.ppm" || { fail "no score or miss"; return 1; }
      ;;
  esac
}

# Ends the session as the kind says and checks how the game went.
end_session() {  # stage kind: both, signal or display
  local started asked took codes
  started=$EPOCHREALTIME
  asked=$(audio_size)
  case "$2" in
    both) codes='143|1' && kill -TERM "$GAME_PID" "$SERVER_PID" ;;
    signal) codes=143 && kill -TERM "$GAME_PID" ;;
    display) codes=1 && kill -TERM "$SERVER_PID" ;;
  esac
  expect_exit "$codes" 60 "the end" || return
  if [ "$1" = launcher ]; then
    took=$(((${EXITED_AT//[!0-9]/} - ${started//[!0-9]/}) / 1000))
  else
    took=$(output_ms $(($(audio_size) - asked)))
  fi
  TOOK_MAX=$((took > TOOK_MAX ? took : TOOK_MAX))
  [ "$took" -le 2000 ] || fail "the game ended $took ms$([ "$1" = launcher ] || echo " of its time") after the end (limit 2000 ms)"
  # Any process of the run's copy of the game.
  find /proc/[0-9]*/exe -maxdepth 0 -lname "$GAME/zorbak" 2> /dev/null | grep -q . &&
    fail "a process of the game is left"
  [ "$1" != launcher ] || expect_eq "game.ini after the launcher" "$(cat "$GAME/media/game.ini")" "${OPTIONS%$'\n'}"
  [ "$1" = launcher ] || expect_saved_options
}

# One lane plays every lanes-th run of the whole list, with folders, X servers
# and games of its own, so that lanes run side by side (the runs mostly wait).
run_lane() {  # lane
  WORK="$WORK/lane$1"
  mkdir -p "$WORK"
  trap stop_server EXIT
  new_game_folder run
  local job=0 stage kind
  for stage in launcher game pause score; do
    for kind in both signal display; do
      SCENARIO="$stage, $kind" TOOK_MAX=0
      for _ in $(seq "$RUNS"); do
        job=$((job + 1))
        [ $((job % LANES)) -eq $(($1 - 1)) ] || continue
        start_server && reach_stage "$stage" && end_session "$stage" "$kind"
        stop_server
      done
      [ "$TOOK_MAX" -eq 0 ] ||
        note "$SCENARIO: lane $1's slowest run ended in $TOOK_MAX ms$([ "$stage" = launcher ] || echo " of the game's time")"
    done
  done
  [ "$FAILURES" -eq 0 ]
}

for lane in $(seq "$LANES"); do run_lane "$lane" & done
for pid in $(jobs -p); do wait "$pid" || FAILURES=$((FAILURES + 1)); done
finish "logout e2e"
