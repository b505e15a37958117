# Shared steps of the whole-program tests that play the real game: a copy of the
# program in a temporary folder, the launcher's Start, the game window, its
# pictures and the sound the game writes through SDL's disk audio driver.
# Sourced by the *_e2e.sh scripts after they have set WORK (a temporary folder).

FAILURES=0
GAME_PID=""
GAME=""
GAME_WINDOW=""
SCENARIO=""
AUDIO=""

now_ms() {
  date +%s%3N
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

# A fresh copy of the program beside its media, as an installed game stands.
new_game_folder() {  # name executable media-folder
  GAME="$WORK/$1"
  mkdir -p "$GAME"
  cp "$2" "$GAME/zorbak"
  cp -r "$3" "$GAME/media"
  rm -f "$GAME/media/game.ini"
  AUDIO="$GAME/audio.raw"
}

# Starts the copy with its sound going to $AUDIO (11025 Hz, 16-bit stereo, at the
# pace of real playback) and waits for the launcher.
start_game() {
  (cd "$GAME" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$AUDIO" exec timeout 150 ./zorbak) \
    > "$GAME/output.txt" 2>&1 &
  GAME_PID=$!
  LAUNCHER=$(timeout 20 xdotool search --sync --onlyvisible --class '^ZorbakLauncher$' | head -n 1)
  if [ -z "$LAUNCHER" ]; then
    fail "no launcher window"
    return 1
  fi
  sleep 0.5
}

press_start() {
  xdotool windowfocus --sync "$LAUNCHER" key alt+s
}

# The visible game window: titled like the launcher, so the launcher is left out.
find_game_window() {  # seconds to wait
  local deadline=$(($(now_ms) + $1 * 1000)) id
  GAME_WINDOW=""
  while [ "$(now_ms)" -lt "$deadline" ]; do
    for id in $(xdotool search --onlyvisible --name '^Zorbak Football II$' 2> /dev/null); do
      if [ "$id" != "$LAUNCHER" ]; then
        GAME_WINDOW=$id
        return 0
      fi
    done
    sleep 0.2
  done
  fail "no game window within $1 s"
  return 1
}

# Quits with Q as a player does and checks the exit code and the options file.
quit_and_check_exit() {
  xdotool mousemove --window "$GAME_WINDOW" 320 240 keydown q sleep 0.1 keyup q
  local deadline=$(($(now_ms) + 10 * 1000))
  while kill -0 "$GAME_PID" 2> /dev/null && [ "$(now_ms)" -lt "$deadline" ]; do
    sleep 0.2
  done
  if kill -0 "$GAME_PID" 2> /dev/null; then
    fail "the game still runs 10 s after Q"
    stop_game
    return
  fi
  wait "$GAME_PID"
  expect_eq "exit code after Q" "$?" 0
  GAME_PID=""
  # Lines of the file outside the section are the player's own and may stay.
  local section="$WORK/game-section.txt" key
  awk '/^\[/ { inside = ($0 ~ /^\[Game\]\r?$/); next } inside' "$GAME/media/game.ini" \
    > "$section" 2> /dev/null
  for key in Windowed Lights Music Joystick UseHiQualTex Width Height UseScreenRes; do
    grep -q "^$key=-\?[0-9]\+\r\?$" "$section" || fail "game.ini's [Game] has no number for $key"
  done
  expect_eq "keys in game.ini's [Game]" "$(grep -c '=' "$section")" 8
}

# --- pictures ---------------------------------------------------------------

shot() {  # file
  import -window "$GAME_WINDOW" "$1"
}

# Share (0 ... 1) of grass-green pixels in an area WxH+X+Y of a picture.
green_share() {  # file geometry
  convert "$1" -crop "$2" +repage -fx 'g > r + 0.12 && g > b + 0.12' -format '%[fx:mean]' info:
}

# Number of near-white pixels in an area of a picture.
white_pixels() {  # file geometry
  convert "$1" -crop "$2" +repage -colorspace gray -fx 'p > 0.78' -format '%[fx:round(mean*w*h)]' info:
}

# Number of pixels in which two pictures (or the same area of both) differ.
differing_pixels() {  # file-a file-b [geometry]
  local a=$1 b=$2
  if [ $# -ge 3 ]; then
    convert "$1" -crop "$3" +repage "$WORK/crop-a.png"
    convert "$2" -crop "$3" +repage "$WORK/crop-b.png"
    a="$WORK/crop-a.png" b="$WORK/crop-b.png"
  fi
  compare -metric AE "$a" "$b" null: 2>&1 | awk '{print int($1)}'
}

# True when a > b for decimal numbers.
greater() {  # a b
  awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'
}

LABEL_AREA=120x24+0+456

# Waits until the score label differs from the one in a reference picture; the
# new picture is left in the file named last.
wait_for_label_change() {  # reference-file seconds new-file
  local deadline=$(($(now_ms) + $2 * 1000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    shot "$3"
    if [ "$(differing_pixels "$1" "$3" "$LABEL_AREA")" -gt 10 ]; then
      return 0
    fi
    sleep 0.3
  done
  return 1
}

# --- sound ------------------------------------------------------------------

audio_size() {
  stat -c %s "$AUDIO" 2> /dev/null || echo 0
}

# Number of samples at least 1/128 of full scale in bytes [from, to) of the output.
loud_samples() {  # from to
  local from=$1 to=$2
  [ "$to" -gt "$from" ] || { echo 0; return; }
  tail -c +$((from + 1)) "$AUDIO" | head -c $((to - from)) | od -An -v -t d2 |
    awk '{ for (i = 1; i <= NF; i++) if ($i >= 256 || $i <= -256) n++ } END { print n + 0 }'
}

# Waits until sound louder than silence has been written after byte offset from.
wait_for_sound() {  # from seconds
  local deadline=$(($(now_ms) + $2 * 1000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    if [ "$(loud_samples "$1" "$(audio_size)")" -gt 0 ]; then
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Waits until the last half second of output is silent (what played has ended).
QUIET_BYTES=22048  # half a second of 4-byte frames
wait_for_quiet() {  # seconds
  local deadline=$(($(now_ms) + $1 * 1000)) size
  while [ "$(now_ms)" -lt "$deadline" ]; do
    size=$(audio_size)
    if [ "$size" -ge "$QUIET_BYTES" ] && [ "$(loud_samples $((size - QUIET_BYTES)) "$size")" -eq 0 ]; then
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# Holds a key long enough for the game to see it at its next frame (it reads the
# keys once every 30 ms), but shorter than the first key repeat.
hold_key() {  # key
  xdotool keydown "$1" sleep 0.2 keyup "$1"
}

# Presses a key and checks that the game makes a sound within a second and a half.
expect_sound_after() {  # what key-command...
  local what=$1
  shift
  local before
  before=$(audio_size)
  "$@"
  if wait_for_sound "$before" 2; then
    note "$what: sound heard"
  else
    fail "$what: no sound within 2 s (output from byte $before on is silent)"
  fi
}
