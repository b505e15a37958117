#!/usr/bin/env bash
# Best scores and the Music box, as a player meets them: the real program under
# its own Xvfb, its sound captured through SDL's disk audio driver. A score with
# Music off (a new player's default): the pause after it lasts as long as the
# theme, in silence; Q then leaves the points in the player's table
# ($XDG_DATA_HOME). The next start shows the best score at the launcher's
# bottom-left, beside Start, and changes no control.
# Usage: scores_music_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
# Set ZF_SCREENSHOT_DIR to keep the launcher's pictures.
set -u

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
require_label_picture
TABLE="$XDG_DATA_HOME/zorbak-football-2/scores"
SHORTEST_PAUSE=3.5  # vortun.wav lasts 4.99 s
BYTES_PER_SECOND=44100
BEST_SCORE_AREA=300x32+12+416

# Waits until the label reads text; false after the given seconds.
wait_for_label_text() {  # text seconds
  local deadline=$(($(now_ms) + $2 * 1000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    shot "$WORK/label.png"
    [ "$(label_differs_from_text "$WORK/label.png" "$1")" -eq 0 ] && return 0
    sleep 0.2
  done
  return 1
}

# The label's message in a picture, when it is one of MESSAGES; else empty. The
# messages' own pictures are rendered once.
MESSAGES=("TOUCH DOWN!" "FIELD GOAL!" "GAME OVER" "2nd Down" "3rd Down" "4th Down")
label_message() {  # picture
  local i
  convert "$1" -crop "$LABEL_AREA" +repage "$WORK/label-now.png"
  for i in "${!MESSAGES[@]}"; do
    [ -f "$WORK/message-$i.ppm" ] || "$ZF_LABEL_PICTURE" "${MESSAGES[$i]}" "$WORK/message-$i.ppm"
    if [ "$(compare -metric AE "$WORK/label-now.png" "$WORK/message-$i.ppm" null: 2>&1 | awk '{print int($1)}')" -eq 0 ]; then
      echo "${MESSAGES[$i]}"
      return
    fi
  done
}

# Plays a drive for points as the README teaches: each down runs for a top
# corner, where the robots are slow, the other corner at the next down, and the
# 4th down kicks straight down the field (the pointer straight above the dog)
# from where the dog was caught. Space is held, so each down starts as soon as
# the line-up ends. A lost drive is played again.
# Sets SCORED (the message), POINTS, and SCORED_MS and SCORED_BYTE (when the
# message was seen: the time and the sound written so far).
play_for_points() {  # tries
  local try deadline message
  for try in $(seq "$1"); do
    xdotool mousemove --window "$GAME_WINDOW" 2 2 keydown space
    deadline=$(($(now_ms) + 60000))
    message=""
    while [ "$(now_ms)" -lt "$deadline" ]; do
      shot "$WORK/play.png"
      message=$(label_message "$WORK/play.png")
      case "$message" in
        "2nd Down") xdotool mousemove --window "$GAME_WINDOW" 637 2 ;;
        "3rd Down") xdotool mousemove --window "$GAME_WINDOW" 2 2 ;;
        "4th Down") xdotool mousemove --window "$GAME_WINDOW" 320 2 keydown ctrl ;;
        "") ;;
        *) break ;;
      esac
    done
    SCORED_MS=$(now_ms)
    SCORED_BYTE=$(audio_size)
    xdotool keyup ctrl keyup space
    case "$message" in
      "TOUCH DOWN!") SCORED=$message POINTS=7 && return 0 ;;
      "FIELD GOAL!") SCORED=$message POINTS=3 && return 0 ;;
    esac
    note "drive $try lost (${message:-no end within 60 s})"
    wait_for_label_text "SCORE: 0" 15 || return 1
  done
  return 1
}

# After a score with Music off: the pause lasts the theme's length, in silence.
# The pictures are polled, so the time measured may be off by a second either
# way: a pause without the theme would last none.
expect_pause_after_score() {
  if ! wait_for_label_text "SCORE: $POINTS" 15; then
    fail "the label did not read \"SCORE: $POINTS\" within 15 s of the $SCORED"
    return
  fi
  local seconds loud
  seconds=$(awk -v ms=$(($(now_ms) - SCORED_MS)) 'BEGIN { print ms / 1000 }')
  greater "$seconds" "$SHORTEST_PAUSE" || fail "the pause after the score lasted only $seconds s"
  # The theme's time, without its first and last half second.
  loud=$(loud_samples $((SCORED_BYTE + BYTES_PER_SECOND / 2)) $((SCORED_BYTE + BYTES_PER_SECOND * 4)))
  note "$SCORED: pause $seconds s, $loud loud samples in it"
  expect_eq "loud samples in the pause after a score with Music off" "$loud" 0
}

SCENARIO="Music off, Q with points"
new_game_folder scores
start_game || finish "scores and music e2e"
import -window "$LAUNCHER" "$WORK/launcher-first.png"
press_start
find_game_window 20 || finish "scores and music e2e"
sleep 1.5
if play_for_points 8; then
  # The capture hears the game: the downs before the score were not silent.
  [ "$(loud_samples 0 "$SCORED_BYTE")" -gt 0 ] || fail "no sound of the game was captured"
  expect_pause_after_score
else
  fail "no points in 8 drives"
fi
quit_and_check_exit
grep -Eq "^${POINTS:-0} [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}\$" "$TABLE" 2> /dev/null ||
  fail "the table holds no entry of ${POINTS:-0} points: $(cat "$TABLE" 2>&1)"

# The launcher shows the best score, beside Start, and changes no control.
SCENARIO="the next start"
start_game || finish "scores and music e2e"
import -window "$LAUNCHER" "$WORK/launcher-best-score.png"
[ "$(differing_pixels "$WORK/launcher-first.png" "$WORK/launcher-best-score.png" "$BEST_SCORE_AREA")" -gt 200 ] ||
  fail "the launcher shows no best score at its bottom-left"
for area in 640x24+0+0 64x32+564+416; do  # the controls' row and Start
  expect_eq "pixels changed in the controls' area $area" \
    "$(differing_pixels "$WORK/launcher-first.png" "$WORK/launcher-best-score.png" "$area")" 0
done
require_close_window
close_window "$LAUNCHER"
expect_exit 255 10 "the close request"

if [ -n "${ZF_SCREENSHOT_DIR:-}" ]; then
  mkdir -p "$ZF_SCREENSHOT_DIR" && cp "$WORK"/launcher-*.png "$ZF_SCREENSHOT_DIR"/
fi
finish "scores and music e2e"
