#!/usr/bin/env bash
# The installed game: `cmake --install` of the build that made the executable,
# into a temporary prefix, then the command on the prefix's bin/ started from an
# unrelated folder. It must find its media through the link (launcher, game
# window, no error box), quit with 0 on Q and keep game.ini in its media folder.
# Usage: install_e2e.sh PATH-OF-zorbak SOURCE-MEDIA-FOLDER (the build folder is
# the executable's folder)
set -u

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"

PREFIX="$WORK/prefix"
if ! cmake --install "$(dirname "$ZORBAK")" --prefix "$PREFIX" > "$WORK/install.txt" 2>&1; then
  cat "$WORK/install.txt"
  fail "cmake --install failed"
  finish "install e2e"
fi
COMMAND="$PREFIX/bin/zorbak-football-2"
[ -L "$COMMAND" ] || fail "no command link in the prefix's bin/"
GAME=$(dirname "$(realpath "$COMMAND")")
[ -f "$GAME/media/field.a3f" ] || fail "no media folder beside the installed executable"
[ -e "$GAME/media/game.ini" ] && fail "a game.ini was installed"

# Started from a folder with no media, as a player runs the command.
SCENARIO="installed game"
mkdir -p "$WORK/elsewhere"
AUDIO="$WORK/audio.raw"
OUTPUT="$WORK/output.txt"
start_program "$WORK/elsewhere" "$COMMAND" || finish "install e2e"
press_start
find_game_window 20 || finish "install e2e"
sleep 1.5
if xwininfo -root -tree | grep -q '"ERROR"'; then
  fail "the installed game reports an error (media not found?)"
  finish "install e2e"
fi
shot "$WORK/start.png"
greater "$(green_share "$WORK/start.png" 320x80+160+200)" 0.5 || fail "the installed game shows no field"
quit_and_check_exit
finish "install e2e"
