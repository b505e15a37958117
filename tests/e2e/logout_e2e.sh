#!/usr/bin/env bash
# The end of a desktop session under the game: at a logout the session sends
# SIGTERM and the X server goes away at the same moment. For each stage of the
# game (the launcher, the game window, the pause, the wait after a score) the
# game gets SIGTERM and its X server ends together, then each alone, RUNS times
# each (E2E_LOGOUT_RUNS, default 10). Every run must end within 2 s and leave no
# process behind; the options are saved as on Q once Start was pressed (the
# launcher's options file stays as it was), and the exit code says what ended the
# run: 143 for SIGTERM, 1 for the lost display, either when both came at once.
# Each run has an X server and a window manager (Openbox) of its own; two runs go
# side by side (E2E_LOGOUT_LANES).
# Usage: logout_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
set -u

E2E_NO_DISPLAY=1
# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
RUNS=${E2E_LOGOUT_RUNS:-10}
END_LIMIT_MS=2000
# Some keys are missing: a save writes all eight.
OPTIONS=$'[Game]\nWindowed=1\nLights=0\nWidth=640\nHeight=480\nUseScreenRes=0\n'
SERVER_PID=""

# An X server of its own on a free display, and Openbox on it.
start_server() {
  rm -f "$WORK/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3> "$WORK/display" 2> /dev/null &
  SERVER_PID=$!
  local deadline=$(($(now_ms) + 10000))
  until [ -s "$WORK/display" ]; do
    if [ "$(now_ms)" -ge "$deadline" ]; then
      fail "no X server within 10 s"
      return 1
    fi
    sleep 0.02
  done
  export DISPLAY=":$(head -n 1 "$WORK/display")"
  start_window_manager
}

stop_server() {
  stop_window_manager
  end_process "$SERVER_PID"
  SERVER_PID=""
}

# Brings a fresh game to the stage.
reach_stage() {  # stage
  printf '%s' "$OPTIONS" > "$GAME/media/game.ini"
  (cd "$GAME" && exec ./zorbak) > "$OUTPUT" 2>&1 &
  GAME_PID=$!
  LAUNCHER=$(timeout 20 xdotool search --sync --onlyvisible --class '^ZorbakLauncher$' | head -n 1)
  [ -n "$LAUNCHER" ] || { fail "no launcher window"; return 1; }
  [ "$1" = launcher ] && { sleep 0.1; return 0; }
  press_start
  find_game_window 20 || return 1
  xdotool mousemove --window "$GAME_WINDOW" 320 240
  sleep 0.3
  case "$1" in
    pause) hold_key p ;;
    score)
      shot "$WORK/start.png"
      hold_key space
      hold_key ctrl
      # The message shows once the kick is judged; the wait for the music follows.
      wait_for_label_change "$WORK/start.png" 15 "$WORK/judged.png" || { fail "no score or miss"; return 1; }
      ;;
  esac
  sleep 0.1
}

# Whether a process of the run's copy of the game is still there.
game_process_left() {
  find /proc/[0-9]*/exe -maxdepth 0 -lname "$GAME/zorbak" 2> /dev/null | grep -q .
}

# Ends the session as the kind says and checks how the game went.
end_session() {  # kind: both, signal or display
  local started
  started=$(now_ms)
  case "$1" in
    both) kill -TERM "$GAME_PID" "$SERVER_PID" ;;
    signal) kill -TERM "$GAME_PID" ;;
    display) kill -TERM "$SERVER_PID" ;;
  esac
  while kill -0 "$GAME_PID" 2> /dev/null && [ $(($(now_ms) - started)) -lt 5000 ]; do
    sleep 0.01
  done
  local took=$(($(now_ms) - started))
  TOOK_MAX=$((took > TOOK_MAX ? took : TOOK_MAX))
  if kill -0 "$GAME_PID" 2> /dev/null; then
    fail "the game still runs 5 s after the end ($(tail -n 3 "$OUTPUT" | tr '\n' ' '))"
    kill -KILL "$GAME_PID"
  fi
  wait "$GAME_PID"
  local code=$?
  GAME_PID=""
  [ "$took" -le "$END_LIMIT_MS" ] || fail "the game ended $took ms after the end (limit $END_LIMIT_MS ms)"
  game_process_left && fail "a process of the game is left"
  case "$1:$code" in
    both:143 | both:1 | signal:143 | display:1) ;;
    *) fail "exit code $code" ;;
  esac
}

expect_options() {  # stage
  if [ "$1" = launcher ]; then
    expect_eq "game.ini after the launcher" "$(cat "$GAME/media/game.ini")" "${OPTIONS%$'\n'}"
  else
    expect_eq "keys saved in game.ini" "$(grep -c '=' "$GAME/media/game.ini")" 8
  fi
}

# One lane plays every lanes-th run of the whole list, with folders, X servers
# and games of its own, so that lanes run side by side (the runs mostly wait).
run_lane() {  # lane lanes
  WORK="$WORK/lane$1"
  mkdir -p "$WORK"
  trap 'stop_game; stop_server' EXIT
  new_game_folder run "$OPTIONS"
  local job=0 stage kind
  for stage in launcher game pause score; do
    for kind in both signal display; do
      SCENARIO="$stage, $kind"
      TOOK_MAX=0
      local ran=0
      for _ in $(seq "$RUNS"); do
        job=$((job + 1))
        [ $((job % $2)) -eq $(($1 - 1)) ] || continue
        ran=$((ran + 1))
        if start_server && reach_stage "$stage"; then
          end_session "$kind"
          expect_options "$stage"
        fi
        stop_game
        stop_server
      done
      [ "$ran" -eq 0 ] || note "$SCENARIO: the slowest of lane $1's $ran runs ended in $TOOK_MAX ms"
    done
  done
  [ "$FAILURES" -eq 0 ]
}

LANES=${E2E_LOGOUT_LANES:-2}
LANE_PIDS=()
for lane in $(seq "$LANES"); do
  run_lane "$lane" "$LANES" &
  LANE_PIDS+=($!)
done
for pid in "${LANE_PIDS[@]}"; do
  wait "$pid" || FAILURES=$((FAILURES + 1))
done
finish "logout e2e"
