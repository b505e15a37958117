#!/usr/bin/env bash
# The pause after a score or a lost game: the game waits several seconds for the
# theme or the whistle and takes no game input meanwhile, but its window keeps
# answering. The desktop's ping is answered during the wait, and a close request
# then ends the program at once, with the exit code of Q.
# Both answers are timed on the game's own clock, its sound output: SDL's disk
# driver writes it from the game's audio thread at the pace of playback, and the
# helpers read it at the moment they send and receive, so the seconds a busy
# machine makes every started process cost do not count. Music is on: the theme
# or the whistle sounds through the whole wait, and where the output falls
# silent the game stopped its sound on its way out.
# Usage: reset_wait_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
set -u

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
require_label_picture
require_close_window
require_watch_area
P="$WORK/pictures"
mkdir -p "$P"
if [ ! -x "${ZF_PING_WINDOW:-}" ]; then
  echo "FAIL: no ping helper: set ZF_PING_WINDOW to the built ping_window program"
  exit 1
fi
# A prompt answer comes within a few of the game's ticks (30 ms each); the output
# moves on in steps of 4096 bytes (93 ms). So: a quarter of a second of output.
ANSWER_LIMIT_BYTES=$((OUTPUT_BYTES_PER_SECOND / 4))
# The wait lasts as long as the theme (4.99 s) or the whistle at a quarter of its
# rate (4.54 s) from the step that judged the kick; the label may show the message
# a frame later than that step. Until 4 s after the label's change the game surely
# still waits.
SURELY_WAITING_BYTES=$((OUTPUT_BYTES_PER_SECOND * 4))
# Loud enough not to be silence in the program's sound output.
WAITING_SOUND_LEVEL=256

start_game_window wait "$(music_options 640 480)" || finish "reset wait e2e"
xdotool mousemove --window "$GAME_WINDOW" 320 240 sleep 0.2
label_shot "$P/start.ppm"

echo "Hike and kick at once: the ball is judged within seconds, a field goal or a miss"
hold_key space
kicked=$(audio_size)
hold_key ctrl
wait_for_label_change "$P/start.ppm" 15 "$P/judged.ppm" || {
  fail "no field goal or miss within 15 s of the game's time after the kick"
  finish "reset wait e2e"
}
# The judgement came after the last look at the label that still showed the score.
judged=$((LABEL_BEFORE > kicked ? LABEL_BEFORE : kicked))
# The wait begins a step or two after the message shows: ten steps on, surely.
# shellcheck disable=SC2016  # wait_until's check is bash text, run later
wait_until '[ "$(audio_size)" -ge $((LABEL_AFTER + OUTPUT_BYTES_PER_SECOND * 3 / 10)) ]' 60

echo "Ping the window during the wait, as GNOME and KDE do"
answer=$("$ZF_PING_WINDOW" "$GAME_WINDOW" 30000 "$AUDIO")
answered=$?
read -r ping_ms ping_bytes <<< "$answer"
note "the ping was answered in $ping_ms ms, $(output_ms "${ping_bytes:-0}") ms of the game's time"
if [ "$answered" -ne 0 ] || [ "${ping_bytes:-0}" -gt "$ANSWER_LIMIT_BYTES" ]; then
  fail "no answer to the ping within $(output_ms "$ANSWER_LIMIT_BYTES") ms of the game's time"
fi

echo "Close the window during the wait"
close_window "$GAME_WINDOW"
closed=$CLOSE_ASKED
expect_exit 0 60 "the close request"
silent_from=$(sound_end "$WAITING_SOUND_LEVEL")
note "the close came $(output_ms $((closed - judged))) ms of the game's time after the judgement;" \
  "its sound stopped $(output_ms $((silent_from - closed))) ms later, its output $(output_ms $(($(audio_size) - closed))) ms later"
[ $((silent_from - closed)) -le "$ANSWER_LIMIT_BYTES" ] ||
  fail "the game's sound went on for $(output_ms $((silent_from - closed))) ms of its time after the close request (limit $(output_ms "$ANSWER_LIMIT_BYTES") ms)"
[ "$silent_from" -lt $((judged + SURELY_WAITING_BYTES)) ] ||
  fail "the game's sound stopped $(output_ms $((silent_from - judged))) ms of its time after the judgement: not during the wait"
finish "reset wait e2e"
