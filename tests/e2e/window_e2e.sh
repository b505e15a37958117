#!/usr/bin/env bash
# The game window on a 1280 x 800 desktop under a window manager (Openbox):
# resized to 21:9 and 1000 x 700, maximised, and to full screen and back by
# Alt+Enter and by F11, the picture always filling it with the score label at its
# bottom-left; resolutions too tall for the desktop (1024 x 800, ScreenRez) open
# as large as fits, and so does the window a full-screen start switches to;
# game.ini keeps the chosen resolution. A second window taking the focus during
# a down pauses the game (PAUSED; the picture holds, even resized); the click
# that brings the focus back does nothing; P resumes. The pointer stays in the
# window only during a down.
# Usage: window_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
# (ZF_SCREENSHOT_DIR keeps the pictures at 1000 x 700, 21:9 and full screen)
# shellcheck disable=SC2016  # wait_until's checks are bash text, run later
set -u

E2E_SCREEN=1280x800x24
E2E_WINDOW_MANAGER=1
# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
require_label_picture
LABEL_HEIGHT=24

# Waits until the drawable area has the size (a window manager answers in its
# time, which a busy machine stretches).
wait_for_size() {  # WIDTHxHEIGHT what
  local size=$1
  wait_until '[ "$(window_size)" = "$size" ]' 30 "$2: the window is not $1 within 30 s"
}

# What the player sees of the window on the screen: the picture fills the whole
# drawable area (no clear colour, which is black, outside the label) and the
# label reads text at its bottom-left, once a frame of the window's size shows it.
expect_picture_with_label() {  # what text [file]
  local file=${3:-$WORK/screen.png} x y w h dark
  wait_for_label_text "$2" 30 "$(window_label_area)"
  import -window root "$file"
  read -r x y w h < <(window_geometry)
  dark=$(convert "$file" -crop "${w}x$((h - LABEL_HEIGHT))+$x+$y" +repage \
    -grayscale Average -threshold 1% -format '%[fx:1 - mean]' info:)
  greater 0.01 "$dark" || fail "$1: a share of $dark of the window is the clear colour"
  expect_eq "$1: label pixels unlike \"$2\" at the window's bottom-left" \
    "$(label_differs_from_text "$file" "$2" "120x$LABEL_HEIGHT+$x+$((y + h - LABEL_HEIGHT))")" 0
}

# True when a move to the screen's far corner, outside the window, gets there.
# The pointer then goes back to the middle of the 1000 x 700 window.
pointer_leaves() {
  local at
  xdotool mousemove 1279 799 sleep 0.3
  at=$(xdotool getmouselocation | cut -d' ' -f1,2)
  xdotool mousemove --window "$GAME_WINDOW" 500 350
  [ "$at" = "x:1279 y:799" ]
}

resize_maximise_full_screen() {
  local size name before width height
  for size in "1260x540 21x9" "1000x700 1000x700"; do
    read -r size name <<< "$size"
    xdotool windowsize "$GAME_WINDOW" "${size%x*}" "${size#*x}"
    wait_for_size "$size" "$name" && expect_picture_with_label "$name" "SCORE: 0" "$WORK/window-$name.png"
  done

  wmctrl -i -r "$GAME_WINDOW" -b add,maximized_vert,maximized_horz
  wait_until '[ "$(window_size)" != 1000x700 ]' 30 "the window is not maximised within 30 s"
  read -r _ _ width height < <(window_geometry)
  [ "$width" -eq 1280 ] && [ "$height" -gt 700 ] || fail "maximised, the window is ${width}x$height"
  expect_picture_with_label maximised "SCORE: 0"
  wmctrl -i -r "$GAME_WINDOW" -b remove,maximized_vert,maximized_horz
  wait_for_size 1000x700 "no longer maximised"

  # To the whole screen and back to the same size and place.
  for key in alt+Return F11; do
    before=$(window_geometry)
    xdotool windowactivate --sync "$GAME_WINDOW" key "$key"
    wait_for_size 1280x800 "$key" && expect_picture_with_label "full screen by $key" "SCORE: 0" "$WORK/full-screen.png"
    xdotool windowactivate --sync "$GAME_WINDOW" key "$key"
    wait_until '[ "$(window_geometry)" = "$before" ]' 30 "$key again: the window is not back at $before within 30 s"
  done
}

focus_pause() {
  pointer_leaves || fail "before the hike the pointer cannot leave the window"
  # The hike's sound tells that the down is played.
  expect_sound_after hike hold_key space
  pointer_leaves && fail "during a down the pointer left the window"

  # The second window sits in the corner, clear of the game window.
  xev -geometry 200x150-0-0 -name zf-other > /dev/null 2>&1 &
  on_exit "end_process $!"
  other=$(timeout 10 xdotool search --sync --onlyvisible --name '^zf-other$' | head -n 1)
  xdotool windowfocus --sync "$other" || fail "the second window did not take the focus"
  wait_for_label_text PAUSED 30 "$(window_label_area)"
  shot "$WORK/paused-1.png" && sleep 1 && shot "$WORK/paused-2.png"
  expect_eq "pixels changed during the pause" "$(differing_pixels "$WORK/paused-1.png" "$WORK/paused-2.png")" 0
  pointer_leaves || fail "while paused the pointer cannot leave the window"
  # No frame is drawn while paused: the held picture must follow a resize.
  xdotool windowsize "$GAME_WINDOW" 640 480
  wait_for_size 640x480 "paused" && expect_picture_with_label "resized while paused" PAUSED

  # The focus comes back as by a click on the window: that click does nothing.
  xdotool mousemove --window "$GAME_WINDOW" 320 240 sleep 0.3
  shot "$WORK/paused-3.png"
  xdotool windowfocus --sync "$GAME_WINDOW" mousedown 1 sleep 0.2 mouseup 1 sleep 0.5
  shot "$WORK/back.png"
  expect_eq "pixels changed by the click that brought the focus back" \
    "$(differing_pixels "$WORK/paused-3.png" "$WORK/back.png")" 0
  label_shot "$WORK/paused-label.ppm"
  hold_key p
  wait_for_label_change "$WORK/paused-label.ppm" 30 "$WORK/resumed-label.ppm" || fail "the label still reads PAUSED after P"
  shot "$WORK/resumed-1.png" && sleep 0.4 && shot "$WORK/resumed-2.png"
  [ "$(differing_pixels "$WORK/resumed-1.png" "$WORK/resumed-2.png")" -gt 0 ] || fail "the picture stays still after P"
}

# The desktop's usable area is 1280 x 800: with the title bar, neither fits.
fits_desktop() {
  local x y w h left right top bottom
  read -r x y w h < <(window_geometry)
  read -r left right top bottom < <(xprop -id "$GAME_WINDOW" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
  note "drawable area ${w}x$h at $x,$y; frame $left $right $top $bottom"
  [ "$((y - top))" -ge 0 ] && [ "$((y + h + bottom))" -le 800 ] && [ "$((x + w + right))" -le 1280 ] ||
    fail "the window with its frame does not fit on the desktop"
  [ "$h" -ge 700 ] || fail "the window is only $h high: not as large as fits"
  expect_picture_with_label "$SCENARIO" "SCORE: 0"
}

# Scenario, game.ini's resolution (width, height, choice), the size it keeps.
# The last starts in full screen at the desktop's size and is then switched to a
# window, whose frame the window manager draws only afterwards.
for case in "window 640 480 0 640 480" "1024x800 1024 800 2 1024 800" "ScreenRez 640 480 3 1280 800" \
  "full-screen 640 480 3 1280 800"; do
  read -r SCENARIO width height choice saved_width saved_height <<< "$case"
  options=$(windowed_options "$width" "$height" "$choice")
  [ "$SCENARIO" != full-screen ] || options=${options/Windowed=1/Windowed=0}
  start_game_window "$SCENARIO" "$options" || continue
  if [ "$SCENARIO" = window ]; then
    resize_maximise_full_screen
    focus_pause
  else
    if [ "$SCENARIO" = full-screen ]; then
      xdotool windowactivate --sync "$GAME_WINDOW" key F11
      wait_until '[ "$(window_size)" != 1280x800 ]' 5 && sleep 0.3
    fi
    fits_desktop
  fi
  quit_and_check_exit
  grep -q "^Width=$saved_width\$" "$GAME/media/game.ini" && grep -q "^Height=$saved_height\$" "$GAME/media/game.ini" ||
    fail "game.ini does not keep $saved_width x $saved_height: $(tr '\n' ' ' < "$GAME/media/game.ini")"
done

[ -z "${ZF_SCREENSHOT_DIR:-}" ] ||
  { mkdir -p "$ZF_SCREENSHOT_DIR" && cp "$WORK"/window-*.png "$WORK"/full-screen.png "$ZF_SCREENSHOT_DIR"/; }
finish "window e2e"
