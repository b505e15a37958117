#!/usr/bin/env bash
# The Linux build's first picture after Start, for the browser build's test to
# compare its own with: 640 x 480 in a window, Lights on, low-quality textures,
# the pointer in the middle, before the hike (the picture is still then).
# Usage: desktop_first_frame.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER OUTPUT.png
set -u
# The library runs this script again on a display of its own, with two arguments.
if [ $# -eq 3 ]; then
  ZF_FIRST_FRAME_OUTPUT=$(realpath -m "$3")
  export ZF_FIRST_FRAME_OUTPUT
  set -- "$1" "$2"
fi

# shellcheck source=../e2e/e2e_lib.sh
. "$(dirname "$0")/../e2e/e2e_lib.sh"
e2e_setup "$@"
start_game_window first "$(windowed_options 640 480)" || finish "desktop first frame"
xdotool mousemove --window "$GAME_WINDOW" 320 240
sleep 1.5
shot "$ZF_FIRST_FRAME_OUTPUT"
quit_and_check_exit
finish "desktop first frame"
