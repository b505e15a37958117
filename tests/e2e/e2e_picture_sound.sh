# shellcheck shell=bash disable=SC2016  # wait_until's checks are bash text, run later
# Pictures and sound of the game window, for the whole-program tests: shares of
# colour and changed pixels in screenshots, and the loudness of what the game
# writes through SDL's disk audio driver to $AUDIO. Sourced by e2e_lib.sh.

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
# shellcheck disable=SC2034  # read by the scripts
PICTURE_ABOVE_LABEL=640x456+0+0

# Number of pixels in which a picture's label corner differs from the label the
# game shows for a text, as the game's own label code renders it (the helper
# named in ZF_LABEL_PICTURE): 0 when the label reads exactly that text. The
# label's area is that of a 640 x 480 window unless another is given.
label_differs_from_text() {  # file text [label-area]
  if ! "$ZF_LABEL_PICTURE" "$2" "$WORK/label-text.ppm"; then
    echo 999999
    return
  fi
  compare -metric AE "$1[${3:-$LABEL_AREA}]" "$WORK/label-text.ppm" null: 2>&1 | awk '{print int($1)}'
}

# --- the label, watched ----------------------------------------------------
# The label's corner is read as a picture of its own (PPM): by the helper named
# in ZF_WATCH_AREA, at once, or else (the Windows build's tests) through
# ImageMagick, which takes seconds on a busy machine.
LABEL_CORNER=120x24+0+0  # the label's area in such a picture

# The label's corner as it is now (in a 640 x 480 window unless another area
# is given).
label_shot() {  # file [label-area]
  if [ -n "${ZF_WATCH_AREA:-}" ]; then
    "$ZF_WATCH_AREA" "$GAME_WINDOW" "${2:-$LABEL_AREA}" "$1" > /dev/null
  else
    import -window "$GAME_WINDOW" -crop "${2:-$LABEL_AREA}" +repage -depth 8 "ppm:$1"
  fi
}

# The label's area at the bottom-left of the game window as it is now.
window_label_area() {
  local size
  size=$(window_size)
  echo "120x24+0+$((${size#*x} - 24))"
}

# Waits until the label reads the text, for at most the seconds: a new game
# window shows its first pictures. The game's label and the one rendered for the
# text are then the very same bytes.
wait_for_label_text() {  # text seconds [label-area]
  # shellcheck disable=SC2034  # read by the check
  local area=${3:-$LABEL_AREA}
  "$ZF_LABEL_PICTURE" "$1" "$WORK/label-text.ppm" &&
    wait_until 'label_shot "$WORK/label-now.ppm" "$area" && cmp -s "$WORK/label-now.ppm" "$WORK/label-text.ppm"' \
      "$2" "the label does not read $1 within $2 s"
}

# Waits until the label's corner differs from a picture of it (label_shot's, or
# an earlier wait's), for at most the seconds of the game's own time: its sound
# output, which goes on at the pace of playback however slowly the test looks.
# Real time ends the wait only if that output stalls (four times the seconds
# and a minute more). The new corner is left in the file named last.
# LABEL_BEFORE and LABEL_AFTER bracket the change on the game's clock (bytes of
# output): before the last look that still matched (-1 when the first look
# already differed), after the first that did not.
wait_for_label_change() {  # reference seconds new
  local times status
  times=$(watch_label "$1" $((($2 * 4 + 60) * 1000)) "$2" "$3")
  status=$?
  # shellcheck disable=SC2034  # read by the scripts
  read -r LABEL_BEFORE LABEL_AFTER <<< "$times"
  return $status
}

# wait_for_label_change's looking: LABEL_BEFORE and LABEL_AFTER on one line.
watch_label() {  # reference wall-ms game-seconds new
  if [ -n "${ZF_WATCH_AREA:-}" ]; then
    "$ZF_WATCH_AREA" "$GAME_WINDOW" "$LABEL_AREA" "$4" "$1" "$2" "$AUDIO" $(($3 * 1000))
    return
  fi
  local wall_end=$(($(now_ms) + $2)) clock_end=$(($(audio_size) + $3 * OUTPUT_BYTES_PER_SECOND)) matched=-1 before after
  while :; do
    before=$(audio_size)
    label_shot "$4"
    after=$(audio_size)
    if [ "$(compare -metric AE "$1" "$4" null: 2>&1 | awk '{print int($1)}')" -gt 10 ]; then
      echo "$matched $after"
      return 0
    fi
    if [ "$(now_ms)" -ge "$wall_end" ] || [ "$after" -ge "$clock_end" ]; then
      echo "$before $after"
      return 1
    fi
    matched=$before
    sleep 0.05
  done
}

# Checks that the label's corner (a picture of its own) shows how a kick was
# judged: a field goal or a miss, not a tackle before the kick.
expect_judgement() {  # corner-picture what
  local text
  for text in "FIELD GOAL!" "GAME OVER"; do
    [ "$(label_differs_from_text "$1" "$text" "$LABEL_CORNER")" -ne 0 ] || return 0
  done
  fail "$2 was not judged: the label reads neither FIELD GOAL! nor GAME OVER"
}

# --- sound ------------------------------------------------------------------
# The output is 11025 Hz, 16-bit stereo, written at the pace of playback by the
# game's own audio thread: its size is the game's clock.
OUTPUT_BYTES_PER_SECOND=44100

audio_size() {
  stat -c %s "$AUDIO" 2> /dev/null || echo 0
}

# Milliseconds of the game's time in bytes of its output.
output_ms() {  # bytes
  echo $(($1 * 1000 / OUTPUT_BYTES_PER_SECOND))
}

# The byte just after the output's last sample at least this loud (0 if none).
sound_end() {  # level
  od -An -v -t d2 -w4 "$AUDIO" |
    awk -v level="$1" '$1 >= level || $1 <= -level || $2 >= level || $2 <= -level { last = NR } END { print (last + 0) * 4 }'
}

# Number of samples at least 1/128 of full scale in bytes [from, to) of the output.
loud_samples() {  # from to
  local from=$1 to=$2
  [ "$to" -gt "$from" ] || { echo 0; return; }
  tail -c +$((from + 1)) "$AUDIO" | head -c $((to - from)) | od -An -v -t d2 |
    awk '{ for (i = 1; i <= NF; i++) if ($i >= 256 || $i <= -256) n++ } END { print n + 0 }'
}

# Waits until sound louder than silence has been written after byte offset from,
# for at most the seconds of the game's time; true if it came within them.
wait_for_sound() {  # from seconds
  # shellcheck disable=SC2034  # read by the check
  local from=$1 until=$(($1 + $2 * OUTPUT_BYTES_PER_SECOND))
  wait_until '[ "$(audio_size)" -ge "$until" ] || [ "$(loud_samples "$from" "$(audio_size)")" -gt 0 ]' \
    $(($2 * 4 + 60)) && [ "$(loud_samples "$from" "$until")" -gt 0 ]
}

# Waits until the last half second of output (22048 bytes of 4-byte frames) is
# silent: what played has ended. Gives up after the seconds of the game's time.
wait_for_quiet() {  # seconds
  # shellcheck disable=SC2034  # set and read by the check
  local size quiet="" until=$(($(audio_size) + $1 * OUTPUT_BYTES_PER_SECOND))
  wait_until 'size=$(audio_size) && { [ "$size" -ge 22048 ] && [ "$(loud_samples $((size - 22048)) "$size")" -eq 0 ] && quiet=1; } ||
    [ "$size" -ge "$until" ]' $(($1 * 4 + 60)) && [ -n "$quiet" ]
}

# Holds a key long enough for the game to see it at its next frame (it reads the
# keys once every 30 ms), but shorter than the first key repeat.
hold_key() {  # key
  xdotool keydown "$1" sleep 0.2 keyup "$1"
}

# Presses a key and checks that the game makes a sound within 2 s of its time.
expect_sound_after() {  # what key-command...
  local what=$1
  shift
  local before
  before=$(audio_size)
  "$@"
  if wait_for_sound "$before" 2; then
    note "$what: sound heard"
  else
    fail "$what: no sound within 2 s of the game's time (output from byte $before on is silent)"
  fi
}
