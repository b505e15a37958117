#!/usr/bin/env bash
# The game window as a player meets it after the launcher: its size, its picture,
# and every way to leave it (Q while paused, Escape, the close box), in a window
# and in full screen. Runs the real program in a copy of its folder under its own
# Xvfb and plays it with xdotool.
# Usage: game_window_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
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

if ! cc -o "$WORK/close_window" "$HERE/close_window.c" -lX11; then
  echo "cannot build the close-box helper" >&2
  exit 1
fi

# Starts a fresh copy of the game with the given game.ini, presses Start in the
# launcher and waits for the game window.
start_game() {  # name game.ini-text
  GAME="$WORK/$1"
  mkdir -p "$GAME"
  cp "$ZORBAK" "$GAME/zorbak"
  cp -r "$MEDIA" "$GAME/media"
  printf '%s' "$2" > "$GAME/media/game.ini"
  (cd "$GAME" && exec timeout 120 ./zorbak) > "$GAME/output.txt" 2>&1 &
  PID=$!
  local launcher
  launcher=$(timeout 20 xdotool search --sync --onlyvisible --class '^ZorbakLauncher$' | head -n 1)
  if [ -z "$launcher" ]; then
    fail "$SCENARIO: no launcher window"
    return 1
  fi
  sleep 0.5
  xdotool windowfocus --sync "$launcher" key alt+s
  GAME_WINDOW=$(timeout 30 xdotool search --sync --onlyvisible --class '^zorbak$' | head -n 1)
  if [ -z "$GAME_WINDOW" ]; then
    fail "$SCENARIO: no game window"
    return 1
  fi
  sleep 1.5  # a few frames
}

window_size() {
  xwininfo -id "$GAME_WINDOW" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'
}

# The field, the robots and the score give many colours; a window never drawn
# or cleared only shows one.
expect_picture() {
  local colours
  colours=$(import -window root -crop "$1+0+0" -format %k info: 2> /dev/null)
  [ "${colours:-0}" -gt 20 ] || fail "$SCENARIO: no game picture ($colours colours)"
}

# The window must leave the screen promptly and the program end with the code.
expect_end() {  # exit code
  local gone=no
  for _ in $(seq 20); do
    if ! xdotool search --onlyvisible --class '^zorbak$' > /dev/null; then
      gone=yes
      break
    fi
    sleep 0.1
  done
  expect_eq "$SCENARIO: window gone within 2 s" "$gone" yes
  wait "$PID"
  expect_eq "$SCENARIO: exit code" "$?" "$1"
}

WINDOWED_640=$'[Game]\nWindowed=1\nLights=1\nMusic=0\nJoystick=0\nUseHiQualTex=0\nWidth=640\nHeight=480\nUseScreenRes=0\n'
FULL_800=$'[Game]\nWindowed=0\nLights=1\nMusic=0\nJoystick=0\nUseHiQualTex=0\nWidth=800\nHeight=600\nUseScreenRes=1\n'

SCENARIO="Q while paused"
if start_game paused "$WINDOWED_640"; then
  expect_eq "$SCENARIO: window size" "$(window_size)" 640x480
  expect_picture 640x480
  xdotool mousemove --window "$GAME_WINDOW" 320 240 key p
  sleep 0.5
  xdotool key q
  expect_end 0
fi

SCENARIO="Escape"
if start_game escape "$WINDOWED_640"; then
  xdotool mousemove --window "$GAME_WINDOW" 100 100 key Escape
  expect_end 0
fi

SCENARIO="Alt+Q is the desktop's"
if start_game altq "$WINDOWED_640"; then
  xdotool mousemove --window "$GAME_WINDOW" 100 100 key alt+q
  sleep 1
  if ! xdotool search --onlyvisible --class '^zorbak$' > /dev/null; then
    fail "$SCENARIO: Alt+Q ended the game"
  fi
  xdotool key q
  expect_end 0
fi

SCENARIO="close box"
if start_game closebox "$WINDOWED_640"; then
  "$WORK/close_window" "$GAME_WINDOW" || fail "$SCENARIO: close request not sent"
  expect_end 0
fi

# Xvfb offers one mode, its screen: 800 x 600 becomes the whole 1280 x 1024 screen.
SCENARIO="full screen"
if start_game fullscreen "$FULL_800"; then
  expect_eq "$SCENARIO: window size" "$(window_size)" 1280x1024
  expect_picture 1280x1024
  xdotool mousemove 640 512 key q
  expect_end 0
fi

if [ "$FAILURES" -ne 0 ]; then
  echo "$FAILURES check(s) failed"
  exit 1
fi
echo "game window e2e: all checks passed"
