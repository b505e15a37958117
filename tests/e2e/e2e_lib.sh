# shellcheck shell=bash disable=SC2016  # wait_until's checks are bash text, run later
# Shared steps of the whole-program tests that play the real game: an X display of
# their own, a copy of the program in a temporary folder, the launcher, the game
# window and how the game ends. A script sources this file, then calls
# `e2e_setup "$@"` before anything else.

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=e2e_picture_sound.sh
. "$E2E_LIB_DIR/e2e_picture_sound.sh"

FAILURES=0
GAME_PID=""
GAME=""
GAME_WINDOW=""
LAUNCHER=""
SCENARIO=""
AUDIO=""
OUTPUT=""
EXIT_HOOKS=()
# The Windows build is played under Wine: ZF_E2E_RUNNER=wine starts the program
# through it. Wine names each window's class after the executable, so there the
# launcher is the first window with the game's title, and the game window any
# other (ZF_E2E_LAUNCHER_CLASS and ZF_E2E_GAME_CLASS name the classes to look for).
E2E_RUNNER=${ZF_E2E_RUNNER:-}
E2E_LAUNCHER_CLASS=${ZF_E2E_LAUNCHER_CLASS:-^ZorbakLauncher\$}
E2E_GAME_CLASS=${ZF_E2E_GAME_CLASS:-^zorbak\$}

# Checks the arguments and runs the script again under an Xvfb of its own, so that
# tests running side by side share no pointer, focus or windows. The screen is the
# largest size the launcher offers, which ScreenRez and full screen then fill.
e2e_setup() {  # the script's arguments
  if [ $# -ne 2 ]; then
    echo "usage: $0 PATH-OF-zorbak SOURCE-MEDIA-FOLDER" >&2
    exit 2
  fi
  if [ -z "${ZF_E2E_DISPLAY_READY:-}" ]; then
    # FLTK's window titles in other locales have a type xdotool's search misses.
    # No sound card here: start_game sends the game's sound to a file instead.
    export ZF_E2E_DISPLAY_READY=1 LC_ALL=C SDL_AUDIODRIVER=dummy
    # An X server resets itself whenever its last client leaves, and refuses new
    # clients meanwhile: the tests' own short-lived clients (xdotool) would race
    # the game for the display. A script that wants that race sets
    # E2E_SERVER_RESETS; one that wants another screen sets E2E_SCREEN.
    local server_args="-screen 0 ${E2E_SCREEN:-1280x1024x24}"
    [ -n "${E2E_SERVER_RESETS:-}" ] || server_args="-noreset $server_args"
    # A script that starts an X server for each run of its own sets E2E_NO_DISPLAY.
    [ -n "${E2E_NO_DISPLAY:-}" ] || exec xvfb-run -a -s "$server_args" bash "$0" "$@"
  fi
  [ -n "${E2E_NO_DISPLAY:-}" ] || wait_for_display || exit 1
  ZORBAK=$(realpath "$1")
  MEDIA=$(realpath "$2")
  WORK=$(mktemp -d)
  trap e2e_cleanup EXIT
  # The game keeps each player's best scores in their data folder: the tests'
  # games keep theirs here, never in the real player's.
  export XDG_DATA_HOME="$WORK/data"
  [ -z "${E2E_WINDOW_MANAGER:-}" ] || start_window_manager || exit 1
}

# A small window manager (a script sets E2E_WINDOW_MANAGER), so that size hints,
# maximise, full screen, title bars and focus behave as on a desktop. Openbox runs
# its start-up command only once it manages windows: a window mapped before then
# may stay unmanaged.
WM_PID=""
start_window_manager() {
  rm -f "$WORK/window-manager-ready"
  openbox --sm-disable --startup "touch $WORK/window-manager-ready" > "$WORK/window-manager.log" 2>&1 &
  WM_PID=$!
  on_exit "end_process $WM_PID"
  wait_until '[ -e "$WORK/window-manager-ready" ]' 10 "the window manager did not start within 10 s"
}

# The game is started only once the display takes connections.
wait_for_display() {
  wait_until 'xdpyinfo > /dev/null 2>&1' 10 "display $DISPLAY takes no connections within 10 s"
}

# Runs a check command (bash text, run in the caller's variables) until it
# succeeds; past the time limit it fails with the message, if one is given.
wait_until() {  # command seconds [message]
  local deadline=$(($(now_ms) + $2 * 1000))
  until eval "$1"; do
    if [ "$(now_ms)" -ge "$deadline" ]; then
      [ -z "${3:-}" ] || fail "$3"
      return 1
    fi
    sleep 0.05
  done
}

# Ends a helper process the script started in the background, if it still runs.
end_process() {  # pid, or nothing
  if [ -n "$1" ]; then
    kill "$1" 2> /dev/null
    wait "$1" 2> /dev/null
  fi
}

# Runs a command line when the script ends, however it ends.
on_exit() {  # command line
  EXIT_HOOKS+=("$1")
}

e2e_cleanup() {
  local hook
  for hook in "${EXIT_HOOKS[@]}"; do
    eval "$hook"
  done
  stop_game
  rm -rf "$WORK"
}

# Xvfb has no window manager to press a close box; tests/CMakeLists.txt builds a
# helper that sends the same request and names it in ZF_CLOSE_WINDOW.
require_close_window() {
  if [ ! -x "${ZF_CLOSE_WINDOW:-}" ]; then
    echo "FAIL: no close-box helper: set ZF_CLOSE_WINDOW to the built close_window program"
    exit 1
  fi
}

# Reading the label needs the helper that renders its texts.
require_label_picture() {
  if [ ! -x "${ZF_LABEL_PICTURE:-}" ]; then
    echo "FAIL: no label renderer: set ZF_LABEL_PICTURE to the built label_picture program"
    exit 1
  fi
}

# Reading the label at once, and waiting for it to change at once, needs the
# helper that reads a window's area.
require_watch_area() {
  if [ ! -x "${ZF_WATCH_AREA:-}" ]; then
    echo "FAIL: no area reader: set ZF_WATCH_AREA to the built watch_area program"
    exit 1
  fi
}

# Sends the close request; CLOSE_ASKED is the game's clock (the size of its
# sound output) at that moment, -1 when there is no output.
close_window() {  # window id
  # shellcheck disable=SC2034  # read by the scripts
  CLOSE_ASKED=$("$ZF_CLOSE_WINDOW" "$1" "$AUDIO") || fail "close request not sent"
}

# Milliseconds of real time, read without starting a process: a busy machine
# makes every started process cost a good part of a second.
now_ms() {
  local microseconds=${EPOCHREALTIME//[!0-9]/}
  echo $((microseconds / 1000))
}

fail() {
  echo "FAIL: ${SCENARIO:+$SCENARIO: }$*"
  FAILURES=$((FAILURES + 1))
}

note() {
  echo "  $*"
}

expect_eq() {  # what actual expected
  [ "$2" = "$3" ] || fail "$1: expected '$3', got '$2'"
}

# Ends the run's checks: a clear verdict and the exit code ctest reads.
finish() {  # name
  if [ "$FAILURES" -ne 0 ]; then
    echo "$1: $FAILURES check(s) failed"
    exit 1
  fi
  echo "$1: all checks passed"
  exit 0
}

# Stops the game if a failed check left it running (only the process we started).
stop_game() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2> /dev/null; then
    kill "$GAME_PID" 2> /dev/null
    wait "$GAME_PID" 2> /dev/null
  fi
  GAME_PID=""
}

# A fresh copy of the program beside its media, as an installed game stands, with
# no game.ini or with the one given.
new_game_folder() {  # name [game.ini text]
  GAME="$WORK/$1"
  mkdir -p "$GAME"
  GAME_PROGRAM=$(basename "$ZORBAK")
  cp "$ZORBAK" "$GAME/$GAME_PROGRAM"
  # Beside the media, as the Windows zip has them (fonts/ with the label's fallback font).
  [ -z "${ZF_E2E_EXTRA_FOLDER:-}" ] || cp -r "$ZF_E2E_EXTRA_FOLDER" "$GAME/"
  cp -r "$MEDIA" "$GAME/media"
  rm -f "$GAME/media/game.ini"
  if [ $# -ge 2 ]; then
    printf '%s' "$2" > "$GAME/media/game.ini"
  fi
  AUDIO="$GAME/audio.raw"
  OUTPUT="$GAME/output.txt"
}

# Starts a program in a folder with its sound going to $AUDIO (11025 Hz, 16-bit
# stereo, at the pace of real playback) and waits for the launcher. The time limit
# (GAME_SECONDS, 600 by default: a test's own limit) ends a game that hangs even
# if this script is killed first. GAME_DISPLAY, when set, is the display the
# program is given.
start_program() {  # folder command
  (cd "$1" && DISPLAY="${GAME_DISPLAY:-$DISPLAY}" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$AUDIO" \
    exec timeout "${GAME_SECONDS:-600}" $E2E_RUNNER "$2") \
    > "$OUTPUT" 2>&1 &
  GAME_PID=$!
  LAUNCHER=$(timeout 60 xdotool search --sync --onlyvisible --class "$E2E_LAUNCHER_CLASS" | head -n 1)
  if [ -z "$LAUNCHER" ]; then
    fail "no launcher window"
    stop_game
    return 1
  fi
  sleep 0.5
}

start_game() {
  start_program "$GAME" "./$GAME_PROGRAM"
}

press_start() {
  xdotool windowfocus --sync "$LAUNCHER" key alt+s
}

# Any visible window of the game's program: SDL names the class after the
# executable (the launcher has a class of its own).
game_windows() {
  xdotool search --onlyvisible --class "$E2E_GAME_CLASS" 2> /dev/null | grep -vx "$LAUNCHER"
}

# The game window must have the class and the game's title (the launcher's too).
# A search takes one pattern, so the windows found by each are intersected.
game_window_found() {
  GAME_WINDOW=$(comm -12 <(game_windows | sort) \
    <(xdotool search --onlyvisible --name '^Zorbak Football II$' 2> /dev/null | sort) | head -n 1)
  [ -n "$GAME_WINDOW" ]
}

find_game_window() {  # seconds to wait
  wait_until game_window_found "$1" "no game window within $1 s"
}

# A fresh game folder, its launcher's Start and the game window, showing its
# first pictures.
start_game_window() {  # name [game.ini text]
  new_game_folder "$@"
  start_game && press_start && find_game_window 60 && wait_for_label_text "SCORE: 0" 60 "$(window_label_area)" && return
  stop_game
  return 1
}

# The options of a window of the size, Lights on and Music off.
windowed_options() {  # width height [resolution-choice]
  printf '[Game]\nWindowed=1\nLights=1\nMusic=0\nJoystick=0\nUseHiQualTex=0\nWidth=%s\nHeight=%s\nUseScreenRes=%s\n' \
    "$1" "$2" "${3:-0}"
}

# The same with Music on: the theme is heard.
music_options() {  # width height [resolution-choice]
  windowed_options "$@" | sed 's/^Music=0$/Music=1/'
}

window_size() {
  xwininfo -id "$GAME_WINDOW" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'
}

# The drawable area's place and size on the screen: "X Y WIDTH HEIGHT".
window_geometry() {
  xwininfo -id "$GAME_WINDOW" | awk '/Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4}
    /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}

# Waits for the game to end and checks its exit code (a pattern such as 143|1
# takes either). A game still running after the seconds is stopped, so that the
# next scenario starts alone. The wait blocks rather than polls, and EXITED_AT
# (EPOCHREALTIME) tells when the program was seen to end.
expect_exit() {  # expected-code seconds after-what
  local code watchdog overdue="$WORK/still-running"
  rm -f "$overdue"
  # Ended with SIGKILL: a copy of this shell that has not yet become the
  # watchdog would run this script's cleanup on any other signal. Its output goes
  # nowhere, so that its sleep, left behind, holds no test's output open.
  bash -c 'sleep "$1" && touch "$2" && kill "$3"' watchdog "$2" "$overdue" "$GAME_PID" > /dev/null 2>&1 &
  watchdog=$!
  wait "$GAME_PID"
  code=$?
  # shellcheck disable=SC2034  # read by the scripts
  EXITED_AT=$EPOCHREALTIME
  kill -KILL "$watchdog" 2> /dev/null
  wait "$watchdog" 2> /dev/null
  GAME_PID=""
  if [ -e "$overdue" ]; then
    fail "the game still runs $2 s after $3"
    return 1
  fi
  [[ $code =~ ^($1)$ ]] || fail "exit code after $3: expected $1, got $code"
}

# After the game ended: checks that it took no longer than the seconds of its
# own time since the request (the output's size then). The sound output runs
# until the process ends, and stops growing then: the time the test takes to
# see the end, long on a busy machine, does not count.
expect_ended_within() {  # output-size-at-the-request seconds after-what
  local ran=$(($(audio_size) - $1))
  [ "$ran" -le $(($2 * OUTPUT_BYTES_PER_SECOND)) ] ||
    fail "the game ended $(output_ms "$ran") ms of its time after $3 (limit $2 s)"
}

# Quits with Q as a player does and checks the exit code and the options file.
quit_and_check_exit() {
  local asked
  asked=$(audio_size)
  xdotool mousemove --window "$GAME_WINDOW" 320 240 keydown q sleep 0.1 keyup q
  expect_exit 0 60 Q && expect_ended_within "$asked" 10 Q && expect_saved_options
}

# The options file (OPTIONS_FILE, by default media/game.ini in the game's folder)
# as a save writes it: a number for each of the eight keys of [Game]. Lines of
# the file outside the section are the player's own and may stay.
expect_saved_options() {
  local section="$WORK/game-section.txt" key
  awk '/^\[/ { inside = ($0 ~ /^\[Game\]\r?$/); next } inside' "${OPTIONS_FILE:-$GAME/media/game.ini}" \
    > "$section" 2> /dev/null
  for key in Windowed Lights Music Joystick UseHiQualTex Width Height UseScreenRes; do
    grep -q "^$key=-\?[0-9]\+\r\?$" "$section" || fail "game.ini's [Game] has no number for $key"
  done
  expect_eq "keys in game.ini's [Game]" "$(grep -c '=' "$section")" 8
}
