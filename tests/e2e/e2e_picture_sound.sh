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

# Number of pixels in which a picture's label corner differs from the label the
# game shows for a text, as the game's own label code renders it (the helper
# named in ZF_LABEL_PICTURE): 0 when the label reads exactly that text. The
# label's area is that of a 640 x 480 window unless another is given.
label_differs_from_text() {  # file text [label-area]
  if ! "$ZF_LABEL_PICTURE" "$2" "$WORK/label-text.ppm"; then
    echo 999999
    return
  fi
  convert "$1" -crop "${3:-$LABEL_AREA}" +repage "$WORK/label-shot.png"
  compare -metric AE "$WORK/label-shot.png" "$WORK/label-text.ppm" null: 2>&1 | awk '{print int($1)}'
}

# Waits until the score label differs from the one in a reference picture; the
# new picture is left in the file named last.
wait_for_label_change() {  # reference-file seconds new-file
  # shellcheck disable=SC2034  # read by the check
  local reference=$1 new=$3
  wait_until 'shot "$new" && [ "$(differing_pixels "$reference" "$new" "$LABEL_AREA")" -gt 10 ]' "$2"
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
  local from=$1
  wait_until '[ "$(loud_samples "$from" "$(audio_size)")" -gt 0 ]' "$2"
}

# Waits until the last half second of output (22048 bytes of 4-byte frames) is
# silent: what played has ended.
wait_for_quiet() {  # seconds
  # shellcheck disable=SC2034  # set and read by the check
  local size
  wait_until 'size=$(audio_size) && [ "$size" -ge 22048 ] && [ "$(loud_samples $((size - 22048)) "$size")" -eq 0 ]' "$1"
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
