#!/usr/bin/env bash
# The game window on a 1280 x 800 desktop with a window manager (Openbox): resized
# to 1000 x 700 and to 21:9 (also while paused), maximised, and switched to full
# screen and back with Alt+Enter and with F11; the picture always fills the window
# with the score label at its bottom-left. Resolutions taller than the desktop's
# room (1024 x 800, ScreenRez) open as large as fits, title bar included, with the
# whole label in sight. game.ini keeps the chosen resolution throughout.
# Usage: window_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
# Set ZF_SCREENSHOT_DIR to keep the pictures at 1000 x 700, 21:9 and full screen.
set -u

E2E_SCREEN=1280x800x24
E2E_WINDOW_MANAGER=1
# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
require_label_picture
P="$WORK/pictures"
mkdir -p "$P"
SCREEN_SIZE=1280x800
LABEL_HEIGHT=24

options() {  # width height resolution-choice
  printf '[Game]\nWindowed=1\nLights=1\nMusic=0\nJoystick=0\nUseHiQualTex=0\nWidth=%s\nHeight=%s\nUseScreenRes=%s\n' "$@"
}

start_game_window() {  # name game.ini-text
  new_game_folder "$1" "$2"
  start_game || return
  press_start
  find_game_window 30 || return
  sleep 1.5  # a few frames
}

# Waits until the drawable area has the size (a window manager answers in its time).
wait_for_size() {  # WIDTHxHEIGHT what
  local deadline=$(($(now_ms) + 5000))
  until [ "$(window_size)" = "$1" ]; do
    if [ "$(now_ms)" -ge "$deadline" ]; then
      fail "$2: the window is $(window_size), not $1"
      return 1
    fi
    sleep 0.1
  done
  sleep 0.3  # the frames drawn at the new size
}

# What the player sees of the window on the screen: the picture fills the whole
# drawable area (no clear colour, which is black, outside the label) and the
# label reads text at its bottom-left.
expect_picture_with_label() {  # what text [file]
  local file=${3:-$P/screen.png} x y w h dark
  import -window root "$file"
  read -r x y w h < <(window_geometry)
  dark=$(convert "$file" -crop "${w}x$((h - LABEL_HEIGHT))+$x+$y" +repage \
    -grayscale Average -threshold 1% -format '%[fx:1 - mean]' info:)
  greater 0.01 "$dark" || fail "$1: a share of $dark of the window is the clear colour"
  expect_eq "$1: label pixels unlike \"$2\" at the window's bottom-left" \
    "$(label_differs_from_text "$file" "$2" "120x$LABEL_HEIGHT+$x+$((y + h - LABEL_HEIGHT))")" 0
}

# Alt+Enter or F11 to full screen and back: the whole screen, then the same size
# and place as before.
expect_full_screen_and_back() {  # key-in key-out
  local before
  before=$(window_geometry)
  xdotool windowactivate --sync "$GAME_WINDOW" key "$1"
  wait_for_size "$SCREEN_SIZE" "$1" && expect_picture_with_label "full screen by $1" "SCORE: 0" "$P/full-screen.png"
  xdotool windowactivate --sync "$GAME_WINDOW" key "$2"
  local deadline=$(($(now_ms) + 5000))
  while [ "$(window_geometry)" != "$before" ] && [ "$(now_ms)" -lt "$deadline" ]; do
    sleep 0.1
  done
  expect_eq "place and size after $2" "$(window_geometry)" "$before"
}

expect_saved_size() {  # width height
  grep -q "^Width=$1\$" "$GAME/media/game.ini" && grep -q "^Height=$2\$" "$GAME/media/game.ini" ||
    fail "game.ini does not keep $1 x $2: $(tr '\n' ' ' < "$GAME/media/game.ini")"
}

SCENARIO="resize, pause, maximise, full screen"
if start_game_window resize "$(options 640 480 0)"; then
  expect_eq "window size" "$(window_size)" 640x480
  xdotool windowsize "$GAME_WINDOW" 1000 700
  wait_for_size 1000x700 "1000 x 700" && expect_picture_with_label "1000 x 700" "SCORE: 0" "$P/window-1000x700.png"
  xdotool windowsize "$GAME_WINDOW" 1260 540
  wait_for_size 1260x540 "21:9" && expect_picture_with_label "21:9" "SCORE: 0" "$P/window-21x9.png"

  # No frame is drawn while paused: the held picture must follow the resize.
  xdotool windowactivate --sync "$GAME_WINDOW"
  hold_key p
  xdotool windowsize "$GAME_WINDOW" 1000 700
  wait_for_size 1000x700 "paused" && expect_picture_with_label "resized while paused" PAUSED
  xdotool windowactivate --sync "$GAME_WINDOW"
  hold_key p

  wmctrl -i -r "$GAME_WINDOW" -b add,maximized_vert,maximized_horz
  sleep 1
  read -r _ _ width height < <(window_geometry)
  [ "$width" -eq 1280 ] && [ "$height" -gt 700 ] || fail "maximised, the window is ${width}x$height"
  expect_picture_with_label maximised "SCORE: 0"
  wmctrl -i -r "$GAME_WINDOW" -b remove,maximized_vert,maximized_horz
  wait_for_size 1000x700 "no longer maximised"

  expect_full_screen_and_back alt+Return alt+Return
  expect_full_screen_and_back F11 F11
  quit_and_check_exit
  expect_saved_size 640 480
fi

# The desktop's usable area is 1280 x 800: with the title bar, neither fits.
for case in "1024x800 1024 800 2 1024 800" "ScreenRez 640 480 3 1280 800"; do
  read -r name width height choice saved_width saved_height <<< "$case"
  SCENARIO="$name on a 1280 x 800 desktop"
  start_game_window "fit-$name" "$(options "$width" "$height" "$choice")" || continue
  read -r x y w h < <(window_geometry)
  read -r left right top bottom < <(xprop -id "$GAME_WINDOW" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
  note "drawable area ${w}x$h at $x,$y; frame $left $right $top $bottom"
  [ "$((y - top))" -ge 0 ] && [ "$((y + h + bottom))" -le 800 ] && [ "$((x + w + right))" -le 1280 ] ||
    fail "the window with its frame does not fit on the desktop"
  [ "$h" -ge 700 ] || fail "the window is only $h high: not as large as fits"
  expect_picture_with_label "$name" "SCORE: 0"
  quit_and_check_exit
  expect_saved_size "$saved_width" "$saved_height"
done

if [ -n "${ZF_SCREENSHOT_DIR:-}" ]; then
  mkdir -p "$ZF_SCREENSHOT_DIR" && cp "$P"/window-*.png "$P"/full-screen.png "$ZF_SCREENSHOT_DIR"/
fi
finish "window e2e"
