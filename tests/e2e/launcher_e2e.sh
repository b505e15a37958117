#!/usr/bin/env bash
# The launcher as a player meets it: the real program in a copy of its folder,
# under its own Xvfb, played with xdotool.
# Usage: launcher_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
# A screenshot of the launcher is left in ${ZF_SCREENSHOT_DIR:-/tmp}.
set -u

if [ $# -ne 2 ]; then
  echo "usage: $0 PATH-OF-zorbak SOURCE-MEDIA-FOLDER" >&2
  exit 2
fi
if [ -z "${ZF_E2E_DISPLAY_READY:-}" ]; then
  export ZF_E2E_DISPLAY_READY=1 LC_ALL=C SDL_AUDIODRIVER=dummy
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

ZORBAK=$(realpath "$1")
MEDIA=$(realpath "$2")
HERE=$(cd "$(dirname "$0")" && pwd)
SHOTS=${ZF_SCREENSHOT_DIR:-/tmp}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
FAILURES=0

fail() {
  echo "FAIL: $*"
  FAILURES=$((FAILURES + 1))
}
expect_eq() {  # what, actual, expected
  [ "$2" = "$3" ] || fail "$1: expected '$3', got '$2'"
}

# Xvfb has no window manager to press a close box; this stands in for it.
if ! cc -o "$WORK/close_window" "$HERE/close_window.c" -lX11; then
  echo "cannot build the close-box helper" >&2
  exit 1
fi

# A fresh copy of the program with its media, and optionally a game.ini.
new_game_folder() {  # name [game.ini text]
  GAME="$WORK/$1"
  mkdir -p "$GAME"
  cp "$ZORBAK" "$GAME/zorbak"
  cp -r "$MEDIA" "$GAME/media"
  rm -f "$GAME/media/game.ini"
  if [ $# -ge 2 ]; then
    printf '%s' "$2" > "$GAME/media/game.ini"
  fi
}

start_game() {
  (cd "$GAME" && exec timeout 120 ./zorbak) > "$GAME/output.txt" 2>&1 &
  PID=$!
  LAUNCHER=$(timeout 20 xdotool search --sync --onlyvisible --class '^ZorbakLauncher$' | head -n 1)
  if [ -z "$LAUNCHER" ]; then
    fail "$SCENARIO: no launcher window"
    return 1
  fi
  sleep 0.5
}

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

press_start() {
  xdotool mousemove --window "$LAUNCHER" 596 432 click 1
}

# After Start: the game window's size, then Q, then the exit code.
play_and_quit() {  # expected size
  GAME_WINDOW=$(timeout 30 xdotool search --sync --onlyvisible --class '^zorbak$' | head -n 1)
  if [ -z "$GAME_WINDOW" ]; then
    fail "$SCENARIO: no game window"
  else
    expect_eq "$SCENARIO: game window size" \
      "$(xwininfo -id "$GAME_WINDOW" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}')" "$1"
    if xdotool search --onlyvisible --class '^ZorbakLauncher$' > /dev/null; then
      fail "$SCENARIO: the launcher is still on the screen beside the game"
    fi
    sleep 1
    xdotool mousemove --window "$GAME_WINDOW" 20 20 key q
  fi
  wait "$PID"
  expect_eq "$SCENARIO: exit code" "$?" 0
}

expect_options() {  # Windowed Lights Music Joystick UseHiQualTex Width Height UseScreenRes
  local ini="$GAME/media/game.ini" key value
  local keys=(Windowed Lights Music Joystick UseHiQualTex Width Height UseScreenRes)
  expect_eq "$SCENARIO: keys in game.ini" "$(grep -c '=' "$ini" 2> /dev/null)" 8
  for key in "${keys[@]}"; do
    value=$(sed -n "s/^$key=//p" "$ini" 2> /dev/null | tr -d '\r')
    expect_eq "$SCENARIO: $key" "$value" "$1"
    shift
  done
}

SCENARIO="defaults and Alt+S"
new_game_folder defaults
if start_game; then
  import -window root "$SHOTS/zorbak-launcher.png"
  echo "launcher screenshot: $SHOTS/zorbak-launcher.png"
  splash_colours=$(colours_in 0 40 640 360)
  [ "$splash_colours" -gt 1000 ] || fail "$SCENARIO: no splash picture ($splash_colours colours)"
  list_colours=$(colours_in 36 4 60 16)
  [ "$list_colours" -gt 1 ] || fail "$SCENARIO: the list shows no entry"
  xdotool windowfocus --sync "$LAUNCHER" key alt+s
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
  press_start
  play_and_quit 1024x800
  expect_options 1 1 1 0 1 1024 800 2
fi

SCENARIO="ScreenRez"
new_game_folder screen
if start_game; then
  choose_resolution 3
  press_start
  play_and_quit 1280x1024
  expect_options 1 0 0 0 0 1280 1024 3
fi

SCENARIO="close box"
OPTIONS_TEXT=$'; kept as it is\n[Game]\nWindowed=1\nLights=1\nMusic=0\nJoystick=0\nUseHiQualTex=0\nWidth=800\nHeight=600\nUseScreenRes=1\n'
new_game_folder closed "$OPTIONS_TEXT"
if start_game; then
  click 236 12
  choose_resolution 2
  "$WORK/close_window" "$LAUNCHER" || fail "$SCENARIO: close request not sent"
  wait "$PID"
  expect_eq "$SCENARIO: exit code" "$?" 255
  expect_eq "$SCENARIO: game.ini" "$(cat "$GAME/media/game.ini"; printf x)" "${OPTIONS_TEXT}x"
  if xdotool search --onlyvisible --class '^zorbak$' > /dev/null; then
    fail "$SCENARIO: a game window opened"
  fi
fi

SCENARIO="choice outside the list"
new_game_folder outside $'[Game]\nUseScreenRes=7\n'
if start_game; then
  # The list shows no entry: its text area is one plain colour.
  expect_eq "$SCENARIO: colours in the list's text area" "$(colours_in 36 4 60 16)" 1
  press_start
  play_and_quit 640x480
  expect_options 1 0 0 0 0 640 480 -1
fi

if [ "$FAILURES" -ne 0 ]; then
  echo "$FAILURES check(s) failed"
  exit 1
fi
echo "launcher e2e: all checks passed"
