#!/usr/bin/env bash
# The game as a player meets it: the real program in a copy of its folder, under
# its own Xvfb with Mesa's software renderer, played with xdotool. It looks at the
# window's pictures and listens to the sound the game writes through SDL's disk
# audio driver: Start, hike, steer with the pointer and with the keys, kick with
# Control, a new drive, hike and kick with the right button, pause with P (the
# label reads "PAUSED" over the held picture) and resume (the label reads as
# before), quit with Q.
# Usage: play_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
# Set ZF_SCREENSHOT_DIR to keep the pictures taken.
set -u

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
require_label_picture
P="$WORK/pictures"
mkdir -p "$P"

# The game runs on while the script looks: on a busy machine each screenshot
# takes seconds, and a down left running meanwhile ends in a tackle. So a down
# is played for as long as a step needs, then held with P while its pictures are
# read. The waits for the label count the game's own time (its sound output).
new_game_folder play
start_game || finish "play e2e"
press_start
find_game_window 60 || finish "play e2e"
expect_eq "game window size" "$(window_size)" 640x480
xdotool mousemove --window "$GAME_WINDOW" 320 240
wait_for_label_text "SCORE: 0" 60
label_shot "$P/start.ppm"

echo "The first picture: the field and the score"
shot "$P/start.png"
middle_green=$(green_share "$P/start.png" 320x80+160+200)
greater "$middle_green" 0.5 || fail "the middle of the picture is not grass green (green share $middle_green)"
label_white=$(white_pixels "$P/start.png" "$LABEL_AREA")
[ "$label_white" -gt 30 ] || fail "the score label shows no white text ($label_white white pixels)"
left_green=$(green_share "$P/start.png" 120x140+0+60)
right_green=$(green_share "$P/start.png" 120x140+520+60)
note "green: middle $middle_green, left $left_green, right $right_green; label $label_white white pixels"
if [ "$(audio_size)" -eq 0 ]; then
  fail "no sound output is being written"
fi
[ "$(loud_samples 0 "$(audio_size)")" -eq 0 ] || fail "the game makes a sound before the hike"

echo "Hike with Space, steer with the mouse: pointer at the left edge, the dog and the camera go left"
hiked=$(audio_size)
hold_key space
xdotool mousemove --window "$GAME_WINDOW" 40 240 sleep 2 keydown p sleep 0.2 keyup p
wait_for_label_text PAUSED 30
if [ "$(loud_samples "$hiked" "$(audio_size)")" -gt 0 ]; then
  note "hike: sound heard"
else
  fail "hike: no sound (output from byte $hiked on is silent)"
fi
shot "$P/steered.png"
xdotool mousemove --window "$GAME_WINDOW" 320 240
[ "$(differing_pixels "$P/start.png" "$P/steered.png" "$PICTURE_ABOVE_LABEL")" -gt 0 ] || fail "nothing moves after the hike"
left_after=$(green_share "$P/steered.png" 120x140+0+60)
right_after=$(green_share "$P/steered.png" 120x140+520+60)
note "green after steering: left $left_after, right $right_after"
# Going left brings the field's left edge and the stands into view on that side:
# the left of the picture loses grass against the right. Measured against the
# picture before steering, so the field's own markings do not decide it.
turn=$(awk -v l0="$left_green" -v r0="$right_green" -v l="$left_after" -v r="$right_after" \
  'BEGIN { print (r - l) - (r0 - l0) }')
greater "$turn" 0.05 ||
  fail "steering left did not turn the view (green left $left_green -> $left_after, right $right_green -> $right_after)"

echo "Kick with Control"
hold_key p
wait_for_quiet 8 || fail "the hike's sound did not end"
expect_sound_after "kick with Control" hold_key ctrl
# The ball flies and is judged (field goal or miss), then a new drive is set up
# once the music or the whistle has ended: the label shows a message, then the score.
if wait_for_label_change "$P/start.ppm" 15 "$P/judged.ppm"; then
  expect_judgement "$P/judged.ppm" "the kick with Control"
  wait_for_label_change "$P/judged.ppm" 20 "$P/new-drive.ppm" ||
    fail "the label's message stayed for over 20 s of the game's time: no new drive"
else
  fail "no field goal or miss within 15 s of the game's time after the kick"
fi

echo "A new drive: hike with Space, kick with the right button"
label_shot "$P/before-second.ppm"
expect_sound_after "second hike" hold_key space
wait_for_quiet 8 || fail "the second hike's sound did not end"
expect_sound_after "kick with the right button" xdotool mousedown 3 sleep 0.2 mouseup 3
if wait_for_label_change "$P/before-second.ppm" 12 "$P/judged-2.ppm"; then
  expect_judgement "$P/judged-2.ppm" "the kick with the right button"
  wait_for_label_change "$P/judged-2.ppm" 20 "$P/new-drive-2.ppm" ||
    fail "the label's message stayed for over 20 s of the game's time after the second kick"
else
  fail "no field goal or miss within 12 s of the game's time after the right-button kick"
fi

echo "Steer with the keys: D, the W A S D block's right, held leads the pointer to the right"
shot "$P/before-third.png"
label_shot "$P/before-third.ppm"
[ "$(label_differs_from_text "$P/before-third.ppm" PAUSED "$LABEL_CORNER")" -gt 0 ] || fail "the label reads PAUSED before the pause"
keys_left=$(green_share "$P/before-third.png" 120x140+0+60)
keys_right=$(green_share "$P/before-third.png" 120x140+520+60)
hold_key space
xdotool keydown d sleep 2 keyup d

echo "Pause and resume with P: the label reads PAUSED, then as before"
hold_key p
wait_for_label_change "$P/before-third.ppm" 30 "$P/paused.ppm" || fail "P changed nothing in the label"
shot "$P/paused-1.png"
[ "$(differing_pixels "$P/before-third.png" "$P/paused-1.png" "$PICTURE_ABOVE_LABEL")" -gt 0 ] ||
  fail "nothing moves in the third down"
keys_left_after=$(green_share "$P/paused-1.png" 120x140+0+60)
keys_right_after=$(green_share "$P/paused-1.png" 120x140+520+60)
turn=$(awk -v l0="$keys_left" -v r0="$keys_right" -v l="$keys_left_after" -v r="$keys_right_after" \
  'BEGIN { print (l - r) - (l0 - r0) }')
greater "$turn" 0.05 ||
  fail "D did not turn the view right (green left $keys_left -> $keys_left_after, right $keys_right -> $keys_right_after)"
sleep 1
shot "$P/paused-2.png"
expect_eq "pixels changed during the pause" "$(differing_pixels "$P/paused-1.png" "$P/paused-2.png")" 0
expect_eq "label pixels unlike \"PAUSED\" during the pause" "$(label_differs_from_text "$P/paused-2.png" PAUSED)" 0
hold_key p
wait_for_label_change "$P/paused.ppm" 30 "$P/resumed.ppm" || fail "the label still reads PAUSED after P"
expect_eq "label pixels changed across the pause" "$(differing_pixels "$P/before-third.ppm" "$P/resumed.ppm")" 0
shot "$P/resumed-1.png"
sleep 0.5
shot "$P/resumed-2.png"
[ "$(differing_pixels "$P/resumed-1.png" "$P/resumed-2.png")" -gt 0 ] || fail "the picture stays still after resuming"
[ "$(differing_pixels "$P/paused-2.png" "$P/resumed-2.png")" -gt 0 ] || fail "the picture stays still after resuming"

echo "Quit with Q"
quit_and_check_exit

if [ -n "${ZF_SCREENSHOT_DIR:-}" ]; then
  mkdir -p "$ZF_SCREENSHOT_DIR" && cp "$P"/*.png "$ZF_SCREENSHOT_DIR"/
fi
finish "play e2e"
