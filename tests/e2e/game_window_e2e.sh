#!/usr/bin/env bash
# The game window as a player meets it after the launcher: its size, its picture,
# and every way to leave it (Q while paused, Escape, the close box), in a window
# and in full screen. Runs the real program in a copy of its folder under its own
# Xvfb and plays it with xdotool.
# Usage: game_window_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
# shellcheck disable=SC2016  # wait_until's checks are bash text, run later
set -u

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
require_label_picture
require_close_window

# The field, the robots and the score give many colours; a window never drawn
# or cleared only shows one.
expect_picture() {
  local colours
  colours=$(import -window root -crop "$1+0+0" -format %k info: 2> /dev/null)
  [ "${colours:-0}" -gt 20 ] || fail "no game picture ($colours colours)"
}

# The program must end promptly, within 2 s of its own time (its sound output
# runs until the process ends), with the code, and its window leave the screen.
expect_end() {  # exit code, after what, the game's clock when it was asked
  expect_exit "$1" 60 "$2" && expect_ended_within "$3" 2 "$2"
  [ -z "$(game_windows)" ] || fail "the window stays on the screen after $2"
}

WINDOWED_640=$'[Game]\nWindowed=1\nLights=1\nMusic=0\nJoystick=0\nUseHiQualTex=0\nWidth=640\nHeight=480\nUseScreenRes=0\n'
FULL_800=$'[Game]\nWindowed=0\nLights=1\nMusic=0\nJoystick=0\nUseHiQualTex=0\nWidth=800\nHeight=600\nUseScreenRes=1\n'

SCENARIO="Q while paused"
if start_game_window paused "$WINDOWED_640"; then
  expect_eq "window size" "$(window_size)" 640x480
  expect_picture 640x480
  xdotool mousemove --window "$GAME_WINDOW" 320 240 key p
  wait_for_label_text PAUSED 30
  asked=$(audio_size)
  xdotool key q
  expect_end 0 Q "$asked"
fi

SCENARIO="Escape"
if start_game_window escape "$WINDOWED_640"; then
  asked=$(audio_size)
  xdotool mousemove --window "$GAME_WINDOW" 100 100 key Escape
  expect_end 0 Escape "$asked"
fi

SCENARIO="Alt+Q is the desktop's"
if start_game_window altq "$WINDOWED_640"; then
  # P after it pauses the game: once PAUSED shows, Alt+Q has been handled too.
  xdotool mousemove --window "$GAME_WINDOW" 100 100 key alt+q key p
  wait_for_label_text PAUSED 30
  [ -n "$(game_windows)" ] || fail "Alt+Q ended the game"
  asked=$(audio_size)
  xdotool key q
  expect_end 0 Q "$asked"
fi

SCENARIO="close box"
if start_game_window closebox "$WINDOWED_640"; then
  close_window "$GAME_WINDOW"
  expect_end 0 "the close request" "$CLOSE_ASKED"
fi

# Xvfb offers one mode, its screen: 800 x 600 becomes the whole 1280 x 1024 screen.
SCENARIO="full screen"
if start_game_window fullscreen "$FULL_800"; then
  expect_eq "window size" "$(window_size)" 1280x1024
  expect_picture 1280x1024
  asked=$(audio_size)
  xdotool mousemove 640 512 key q
  expect_end 0 Q "$asked"
fi

finish "game window e2e"
