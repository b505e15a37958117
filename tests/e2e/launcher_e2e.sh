#!/usr/bin/env bash
# The launcher as a player meets it: the real program in a copy of its folder,
# under its own Xvfb, played with xdotool.
# Usage: launcher_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
# A screenshot of the launcher is left in ${ZF_SCREENSHOT_DIR:-/tmp}.
set -u

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
require_close_window
SHOTS=${ZF_SCREENSHOT_DIR:-/tmp}

# Number of distinct colours in a w x h area of the launcher at x, y.
colours_in() {  # x y w h
  import -window "$LAUNCHER" -crop "$3x$4+$1+$2" -format %k info:
}

choose_resolution() {  # number of Down presses in the opened list
  xdotool mousemove --window "$LAUNCHER" 80 12 click 1
  sleep 0.3
  for _ in $(seq "$1"); do xdotool key Down; done
  xdotool key Return
  sleep 0.2
}

click() {  # x y
  xdotool mousemove --window "$LAUNCHER" "$1" "$2" click 1
}

click_start() {
  xdotool mousemove --window "$LAUNCHER" 596 432 click 1
}

# After Start: the game window's size, the launcher gone, then Q and the exit code.
play_and_quit() {  # expected size
  if ! find_game_window 60; then
    stop_game
    return
  fi
  expect_eq "game window size" "$(window_size)" "$1"
  if xdotool search --onlyvisible --class '^ZorbakLauncher$' > /dev/null; then
    fail "the launcher is still on the screen beside the game"
  fi
  sleep 1
  quit_and_check_exit
}

expect_options() {  # Windowed Lights Music Joystick UseHiQualTex Width Height UseScreenRes
  local ini="$GAME/media/game.ini" key value
  local keys=(Windowed Lights Music Joystick UseHiQualTex Width Height UseScreenRes)
  expect_eq "keys in game.ini" "$(grep -c '=' "$ini" 2> /dev/null)" 8
  for key in "${keys[@]}"; do
    value=$(sed -n "s/^$key=//p" "$ini" 2> /dev/null | tr -d '\r')
    expect_eq "$key" "$value" "$1"
    shift
  done
}

SCENARIO="defaults and Alt+S"
new_game_folder defaults
if start_game; then
  import -window root "$SHOTS/zorbak-launcher.png"
  echo "launcher screenshot: $SHOTS/zorbak-launcher.png"
  splash_colours=$(colours_in 0 40 640 360)
  [ "$splash_colours" -gt 1000 ] || fail "no splash picture ($splash_colours colours)"
  list_colours=$(colours_in 36 4 60 16)
  [ "$list_colours" -gt 1 ] || fail "the list shows no entry"
  press_start
  play_and_quit 640x480
  expect_options 1 0 0 0 0 640 480 0
fi

SCENARIO="boxes and 1024x800"
new_game_folder boxes
if start_game; then
  click 236 12  # Lights
  click 332 12  # Music
  click 524 12  # HiQTexture
  choose_resolution 2
  click_start
  play_and_quit 1024x800
  expect_options 1 1 1 0 1 1024 800 2
fi

SCENARIO="ScreenRez"
new_game_folder screen
if start_game; then
  choose_resolution 3
  click_start
  play_and_quit 1280x1024
  expect_options 1 0 0 0 0 1280 1024 3
fi

# Closing the launcher is no Start: exit code 255, game.ini untouched, no game.
SCENARIO="close box"
OPTIONS_TEXT=$'; kept as it is\n[Game]\nWindowed=1\nLights=1\nMusic=0\nJoystick=0\nUseHiQualTex=0\nWidth=800\nHeight=600\nUseScreenRes=1\n'
new_game_folder closed "$OPTIONS_TEXT"
if start_game; then
  click 236 12
  choose_resolution 2
  close_window "$LAUNCHER"
  expect_exit 255 60 "the close request"
  expect_eq "game.ini" "$(cat "$GAME/media/game.ini"; printf x)" "${OPTIONS_TEXT}x"
  [ -z "$(game_windows)" ] || fail "a game window opened"
fi

SCENARIO="choice outside the list"
new_game_folder outside $'[Game]\nUseScreenRes=7\n'
if start_game; then
  # The list shows no entry: its text area is one plain colour.
  expect_eq "colours in the list's text area" "$(colours_in 36 4 60 16)" 1
  click_start
  play_and_quit 640x480
  expect_options 1 0 0 0 0 640 480 -1
fi

finish "launcher e2e"
