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
require_watch_area
# The theme lasts 4.99 s; the game's clock is read at each look at the label, 20 ms
# apart on a quiet machine, but further apart on a busy one.
SHORTEST_PAUSE_MS=4500

# The label's message in a picture of its corner, when it is one of these
# (rendered once), and what the player does or gains at each. The game's label
# and the rendered one are the same bytes.
MESSAGES=("TOUCH DOWN!" "FIELD GOAL!" "GAME OVER" "2nd Down" "3rd Down" "4th Down")
for i in "${!MESSAGES[@]}"; do "$ZF_LABEL_PICTURE" "${MESSAGES[$i]}" "$WORK/message-$i.ppm"; done
label_message() {  # corner picture
  for i in "${!MESSAGES[@]}"; do
    ! cmp -s "$1" "$WORK/message-$i.ppm" || echo "${MESSAGES[$i]}"
  done
}
declare -A AIM=(["2nd Down"]="637 2" ["3rd Down"]="2 2" ["4th Down"]="320 2 keydown ctrl")
declare -A POINTS_FOR=(["TOUCH DOWN!"]=7 ["FIELD GOAL!"]=3)

# Follows the label from one message to the next (a down lasts far less than a
# minute of the game's time); the message is left in MESSAGE, none when the
# label stopped changing or the window is gone.
next_message() {
  MESSAGE=""
  wait_for_label_change "$WORK/label.ppm" 60 "$WORK/label-next.ppm" || return 1
  mv "$WORK/label-next.ppm" "$WORK/label.ppm"
  MESSAGE=$(label_message "$WORK/label.ppm")
}

# Drives as the README teaches, Space held: each down runs for the other top
# corner, the 4th kicks straight ahead. Sets POINTS, and SCORED_AFTER, the
# game's clock (bytes of its output) just after the score's message was seen.
play_for_points() {  # drives
  local drive
  label_shot "$WORK/label.ppm"
  for drive in $(seq "$1"); do
    xdotool mousemove --window "$GAME_WINDOW" 2 2 keydown space
    MESSAGE=""
    until [[ "$MESSAGE" =~ ^(TOUCH|FIELD|GAME) ]]; do
      next_message || break
      # shellcheck disable=SC2086  # the aim is xdotool's arguments
      [ -z "${AIM[${MESSAGE:-none}]:-}" ] || xdotool mousemove --window "$GAME_WINDOW" ${AIM[$MESSAGE]}
    done
    SCORED_AFTER=$LABEL_AFTER POINTS=${POINTS_FOR[${MESSAGE:-none}]:-}
    xdotool keyup ctrl keyup space
    [ -z "$POINTS" ] || return 0
    [ -n "$MESSAGE" ] || break
    note "drive $drive lost"
    next_message || break
  done
  fail "no points in $1 drives"
  return 1
}

new_game_folder scores
GAME_SECONDS=400 start_game || finish "scores and music e2e"
import -window "$LAUNCHER" "$WORK/launcher-first.png"
press_start
find_game_window 60 || finish "scores and music e2e"
wait_for_label_text "SCORE: 0" 60
if play_for_points 8; then
  # The picture holds the message until the theme has played (4.99 s of the
  # game's time; it is silent). Measured on the game's clock from just after the
  # message was seen to just before the last look that still saw it.
  wait_for_label_change "$WORK/label.ppm" 15 "$WORK/score-line.ppm" || fail "no score line after the score"
  pause_ms=$(output_ms $((LABEL_BEFORE - SCORED_AFTER)))
  note "$POINTS points; pause at least $pause_ms ms of the game's time"
  [ "$pause_ms" -ge "$SHORTEST_PAUSE_MS" ] || fail "the pause after the score lasted only $pause_ms ms of the game's time"
  # A cry or the kick begun before the score may sound on for up to 1.7 s; from
  # 2 s to 4 s only the theme could be heard.
  expect_eq "loud samples in the pause with Music off" \
    "$(loud_samples $((SCORED_AFTER + 2 * OUTPUT_BYTES_PER_SECOND)) $((SCORED_AFTER + 4 * OUTPUT_BYTES_PER_SECOND)))" 0
  [ "$(loud_samples 0 "$SCORED_AFTER")" -gt 0 ] || fail "no sound of the game was captured"
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
expect_exit 255 60 "the close request"

# The best game, watched: Watch plays it back in the game window as it was played,
# message and sound, enters nothing in the table, and ends by itself.
if [ -n "${POINTS:-}" ]; then
  SCENARIO="watching the best game"
  cp "$XDG_DATA_HOME/zorbak-football-2/scores" "$WORK/scores-before"
  start_game || finish "scores and music e2e"
  xdotool windowfocus --sync "$LAUNCHER" key alt+w
  find_game_window 60 || finish "scores and music e2e"
  label_shot "$WORK/label.ppm"
  until [[ "$MESSAGE" =~ ^(TOUCH|FIELD) ]]; do
    next_message || break
  done
  watched=$MESSAGE
  expect_eq "points of the message watched" "${POINTS_FOR[${watched:-none}]:-none}" "$POINTS"
  expect_exit 0 60 "the replay's end"
  [ "$(loud_samples 0 "$(audio_size)")" -gt 0 ] || fail "the replay made no sound"
  cmp -s "$WORK/scores-before" "$XDG_DATA_HOME/zorbak-football-2/scores" || fail "watching changed the best scores"
fi
[ -z "${ZF_SCREENSHOT_DIR:-}" ] || { mkdir -p "$ZF_SCREENSHOT_DIR" && cp "$WORK"/launcher-*.png "$ZF_SCREENSHOT_DIR"/; }
finish "scores and music e2e"
