#!/usr/bin/env bash
# Damaged media does not stop the game: in a copy of the program's folder, one
# file at a time and then all at once, a model is replaced by garbage, a JPEG
# texture is cut short, a sound is missing or has a garbage header, and game.ini
# is garbage. Every file the game cannot use and reports is reported once in an
# "ERROR" box, which is dismissed with Return as a player would; the game then
# shows its field and score, plays, and quits with 0 on Q.
# Usage: bad_media_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
set -u

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
require_label_picture
XEV_PID=""
stop_watching() {
  end_process "$XEV_PID"
  XEV_PID=""
}
on_exit stop_watching

# The damages, each applied to the media folder of a game copy.
garbage_model() {  # folder
  head -c 3000 /dev/urandom > "$1/zq.a3f"
}
truncated_jpeg() {
  local size
  size=$(stat -c %s "$1/field.jpg")
  head -c $((size / 2)) "$MEDIA/field.jpg" > "$1/field.jpg"
}
missing_wav() {
  rm -f "$1/whistle.wav"
}
garbage_wav_header() {
  { printf 'RIFX'; head -c 2000 /dev/urandom; } > "$1/kick.wav"
}
garbage_ini() {
  { printf 'garbage\n[Game\nWidth=wide\n=\n'; head -c 300 /dev/urandom; } > "$1/game.ini"
}

# Error boxes come and go with the same window number (each one is a new
# connection to the X server), so their ends are counted from the root window's
# destroy events.
start_watching() {
  xev -root -event substructure > "$WORK/xev.log" 2>&1 &
  XEV_PID=$!
  sleep 0.3
}

destroyed_count() {  # window id
  grep -A1 '^DestroyNotify' "$WORK/xev.log" | grep -c "window $1\$"
}

error_box() {
  xwininfo -root -tree | awk '$2 == "\"ERROR\":" {print $1; exit}'
}

# The game reports what it cannot use while it loads, each in a box it waits
# on, and draws its first picture (the label reads SCORE: 0) only after that.
# Dismisses every "ERROR" box with Return until that picture shows, or no more
# than a couple of minutes (a busy machine may take long to load); the number
# dismissed is left in BOXES.
dismiss_error_boxes() {
  local give_up=$(($(now_ms) + 120000)) box before
  BOXES=0
  "$ZF_LABEL_PICTURE" "SCORE: 0" "$WORK/label-text.ppm"
  until game_window_found && label_shot "$WORK/label-now.ppm" 2> /dev/null &&
    cmp -s "$WORK/label-now.ppm" "$WORK/label-text.ppm"; do
    if [ "$(now_ms)" -ge "$give_up" ]; then
      fail "the score label does not read SCORE: 0 within 120 s of Start"
      return 1
    fi
    box=$(error_box)
    if [ -z "$box" ]; then
      sleep 0.2
      continue
    fi
    before=$(destroyed_count "$box")
    xdotool windowfocus --sync "$box" key Return
    # shellcheck disable=SC2016  # wait_until's check is bash text, run later
    wait_until '[ "$(destroyed_count "$box")" -gt "$before" ]' 30 "an error box did not close on Return" || return 1
    BOXES=$((BOXES + 1))
  done
}

# One run: damage the copy, Start, count the boxes, look at the game, maybe play,
# quit with Q.
run_with() {  # scenario expected-boxes play|look damage...
  SCENARIO=$1
  local expected=$2 mode=$3
  shift 3
  echo "$SCENARIO"
  new_game_folder "run$RUN"
  RUN=$((RUN + 1))
  local damage
  for damage in "$@"; do
    "$damage" "$GAME/media"
  done
  start_game || return
  start_watching
  press_start
  dismiss_error_boxes || { stop_watching; stop_game; return; }
  stop_watching
  expect_eq "error boxes" "$BOXES" "$expected"
  xdotool mousemove --window "$GAME_WINDOW" 320 240
  if [ "$mode" = play ]; then
    expect_sound_after "$SCENARIO: hike" hold_key space
    shot "$WORK/play-1.png"
    sleep 0.4
    shot "$WORK/play-2.png"
    [ "$(differing_pixels "$WORK/play-1.png" "$WORK/play-2.png")" -gt 0 ] ||
      fail "nothing moves after the hike"
  fi
  quit_and_check_exit
}

RUN=1
run_with "A model file of garbage" 1 look garbage_model
run_with "A JPEG texture cut in half" 1 look truncated_jpeg
run_with "A missing sound file" 1 look missing_wav
run_with "A sound file with a garbage header (refused without a box)" 0 look garbage_wav_header
run_with "A game.ini of garbage (defaults, no box)" 0 look garbage_ini
run_with "All of them at once" 3 play garbage_model truncated_jpeg missing_wav garbage_wav_header garbage_ini

finish "bad media e2e"
