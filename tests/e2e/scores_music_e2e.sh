#!/usr/bin/env bash
# Best scores and the Music box as a player meets them, the sound captured
# through SDL's disk audio driver. A score with Music off (a new player's
# default) pauses as long as the theme, in silence; Q leaves the points in the
# player's table; the next launcher shows them beside Start, its controls as
# they were, and Watch plays that game back. Usage: scores_music_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
# (ZF_SCREENSHOT_DIR keeps the launcher's pictures)
set -u

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
require_label_picture
require_close_window

# The label's message in a picture, when it is one of these (rendered once), and
# what the player does or gains at each.
MESSAGES=("TOUCH DOWN!" "FIELD GOAL!" "GAME OVER" "2nd Down" "3rd Down" "4th Down")
for i in "${!MESSAGES[@]}"; do "$ZF_LABEL_PICTURE" "${MESSAGES[$i]}" "$WORK/message-$i.ppm"; done
label_message() {  # picture
  convert "$1" -crop "$LABEL_AREA" +repage "$WORK/label-now.png"
  for i in "${!MESSAGES[@]}"; do
    [ "$(compare -metric AE "$WORK/label-now.png" "$WORK/message-$i.ppm" null: 2>&1)" != 0 ] || echo "${MESSAGES[$i]}"
  done
}
declare -A AIM=(["2nd Down"]="637 2" ["3rd Down"]="2 2" ["4th Down"]="320 2 keydown ctrl")
declare -A POINTS_FOR=(["TOUCH DOWN!"]=7 ["FIELD GOAL!"]=3)

# Drives as the README teaches, Space held: each down runs for the other top
# corner, the 4th kicks straight ahead. Sets POINTS, SCORED_MS and SCORED_BYTE
# (when the score was seen: the time, the sound written so far).
play_for_points() {  # drives
  local drive message
  for drive in $(seq "$1"); do
    xdotool mousemove --window "$GAME_WINDOW" 2 2 keydown space
    message=""
    until [[ "$message" =~ ^(TOUCH|FIELD|GAME) ]] || ! kill -0 "$GAME_PID" 2> /dev/null; do
      shot "$WORK/play.png"
      message=$(label_message "$WORK/play.png")
      # shellcheck disable=SC2086  # the aim is xdotool's arguments
      [ -z "${AIM[${message:-none}]:-}" ] || xdotool mousemove --window "$GAME_WINDOW" ${AIM[$message]}
    done
    SCORED_MS=$(now_ms) SCORED_BYTE=$(audio_size) POINTS=${POINTS_FOR[${message:-none}]:-}
    xdotool keyup ctrl keyup space
    [ -z "$POINTS" ] || return 0
    note "drive $drive lost"
    wait_for_label_change "$WORK/play.png" 15 "$WORK/next.png" || break
  done
  fail "no points in $1 drives"
  return 1
}

new_game_folder scores
GAME_SECONDS=400 start_game || finish "scores and music e2e"
import -window "$LAUNCHER" "$WORK/launcher-first.png"
press_start
find_game_window 20 || finish "scores and music e2e"
sleep 1.5
if play_for_points 8; then
  # The picture holds the message until the theme has played (4.99 s; the
  # pictures are polled, so allow a second); the theme's time is silent.
  wait_for_label_change "$WORK/play.png" 15 "$WORK/score-line.png" || fail "no score line after the score"
  pause_ms=$(($(now_ms) - SCORED_MS))
  note "$POINTS points; pause $pause_ms ms"
  [ "$pause_ms" -ge 3500 ] || fail "the pause after the score lasted only $pause_ms ms"
  # 44100 bytes a second. A cry or the kick begun before the score may sound on
  # for up to 1.7 s; from 2 s to 4 s only the theme could be heard.
  expect_eq "loud samples in the pause with Music off" "$(loud_samples $((SCORED_BYTE + 2 * 44100)) $((SCORED_BYTE + 4 * 44100)))" 0
  [ "$(loud_samples 0 "$SCORED_BYTE")" -gt 0 ] || fail "no sound of the game was captured"
fi
quit_and_check_exit
grep -Eq "^${POINTS:-0} [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}\$" "$XDG_DATA_HOME/zorbak-football-2/scores" ||
  fail "the table holds no entry of ${POINTS:-0} points: $(cat "$XDG_DATA_HOME/zorbak-football-2/scores" 2>&1)"

SCENARIO="the next start"
start_game || finish "scores and music e2e"
import -window "$LAUNCHER" "$WORK/launcher-best-score.png"
[ "$(differing_pixels "$WORK/launcher-first.png" "$WORK/launcher-best-score.png" 300x32+12+416)" -gt 200 ] ||
  fail "the launcher shows no best score at its bottom-left"
for area in 640x24+0+0 64x32+564+416; do  # the controls' row and Start
  expect_eq "pixels changed in $area" "$(differing_pixels "$WORK/launcher-first.png" "$WORK/launcher-best-score.png" "$area")" 0
done
close_window "$LAUNCHER"
expect_exit 255 10 "the close request"

# The best game, watched: Watch plays it back in the game window as it was played,
# message and sound, enters nothing in the table, and ends by itself.
if [ -n "${POINTS:-}" ]; then
  SCENARIO="watching the best game"
  cp "$XDG_DATA_HOME/zorbak-football-2/scores" "$WORK/scores-before"
  start_game || finish "scores and music e2e"
  xdotool windowfocus --sync "$LAUNCHER" key alt+w
  find_game_window 20 || finish "scores and music e2e"
  watched=""
  until [[ "$watched" =~ ^(TOUCH|FIELD) ]] || ! kill -0 "$GAME_PID" 2> /dev/null; do
    shot "$WORK/watch.png"
    watched=$(label_message "$WORK/watch.png")
  done
  expect_eq "points of the message watched" "${POINTS_FOR[${watched:-none}]:-none}" "$POINTS"
  expect_exit 0 30 "the replay's end"
  [ "$(loud_samples 0 "$(audio_size)")" -gt 0 ] || fail "the replay made no sound"
  cmp -s "$WORK/scores-before" "$XDG_DATA_HOME/zorbak-football-2/scores" || fail "watching changed the best scores"
fi
[ -z "${ZF_SCREENSHOT_DIR:-}" ] || { mkdir -p "$ZF_SCREENSHOT_DIR" && cp "$WORK"/launcher-*.png "$ZF_SCREENSHOT_DIR"/; }
finish "scores and music e2e"
