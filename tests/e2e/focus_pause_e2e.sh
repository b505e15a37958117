#!/usr/bin/env bash
# A player who looks away: a second window taking the focus during a down
# pauses the game (the label reads "PAUSED" and the picture holds), the focus
# coming back leaves it paused, and P resumes. The pointer can leave the window
# before the hike and while paused, but not during a down.
# Usage: focus_pause_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER
set -u

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
require_label_picture
P="$WORK/pictures"
mkdir -p "$P"
OTHER_PID=""
stop_other() {
  end_process "$OTHER_PID"
  OTHER_PID=""
}
on_exit stop_other

# "X Y" of the pointer, and "X Y WIDTH HEIGHT" of the game window, on the screen.
pointer_at() {
  xdotool getmouselocation --shell | awk -F= '/^X=/ {x = $2} /^Y=/ {y = $2} END {print x, y}'
}
window_box() {
  xdotool getwindowgeometry --shell "$GAME_WINDOW" |
    awk -F= '/^X=/ {x = $2} /^Y=/ {y = $2} /^WIDTH=/ {w = $2} /^HEIGHT=/ {h = $2} END {print x, y, w, h}'
}

# True when a move to the screen's far corner takes the pointer out of the window.
pointer_leaves() {
  local px py wx wy ww wh
  xdotool mousemove 1270 1010
  sleep 0.3
  read -r px py < <(pointer_at)
  read -r wx wy ww wh < <(window_box)
  xdotool mousemove --window "$GAME_WINDOW" 320 240
  [ "$px" -lt "$wx" ] || [ "$px" -ge $((wx + ww)) ] || [ "$py" -lt "$wy" ] || [ "$py" -ge $((wy + wh)) ]
}

new_game_folder focus $'[Game]\nWindowed=1\nLights=1\nMusic=0\nJoystick=0\nUseHiQualTex=0\nWidth=640\nHeight=480\nUseScreenRes=0\n'
start_game || finish "focus pause e2e"
press_start
find_game_window 30 || finish "focus pause e2e"
xdotool mousemove --window "$GAME_WINDOW" 320 240
sleep 1.5

echo "Before the hike the pointer is free"
pointer_leaves || fail "before the hike the pointer cannot leave the window"

echo "During a down it stays in the window"
hold_key space
sleep 0.2
pointer_leaves && fail "during a down the pointer left the window"

echo "A second window takes the focus: the game pauses"
xev -geometry 200x150+10+10 -name zf-other > /dev/null 2>&1 &
OTHER_PID=$!
other=$(timeout 10 xdotool search --sync --onlyvisible --name '^zf-other$' | head -n 1)
[ -n "$other" ] || fail "the second window did not open"
xdotool windowfocus --sync "$other"
sleep 0.5
shot "$P/paused-1.png"
sleep 1
shot "$P/paused-2.png"
expect_eq "pixels changed during the pause" "$(differing_pixels "$P/paused-1.png" "$P/paused-2.png")" 0
expect_eq "label pixels unlike \"PAUSED\"" "$(label_differs_from_text "$P/paused-2.png" PAUSED)" 0
pointer_leaves || fail "while paused the pointer cannot leave the window"

echo "The focus comes back: still paused; P resumes"
xdotool windowfocus --sync "$GAME_WINDOW"
sleep 0.5
shot "$P/back.png"
expect_eq "pixels changed when the focus came back" "$(differing_pixels "$P/paused-2.png" "$P/back.png")" 0
hold_key p
sleep 0.3
shot "$P/resumed-1.png"
sleep 0.4
shot "$P/resumed-2.png"
[ "$(differing_pixels "$P/resumed-1.png" "$P/resumed-2.png")" -gt 0 ] || fail "the picture stays still after P"
[ "$(label_differs_from_text "$P/resumed-2.png" PAUSED)" -gt 0 ] || fail "the label still reads PAUSED after P"

quit_and_check_exit
finish "focus pause e2e"
