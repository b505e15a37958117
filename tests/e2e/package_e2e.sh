#!/usr/bin/env bash
# The Debian package as a player meets it: unpacked into a temporary root
# (dpkg-deb -x), its command started by a user who cannot write the installed
# tree (as root: the user nobody, through runuser; otherwise the tree is made
# read-only), with a fresh home folder. The player picks a resolution and options
# in the launcher and quits; the choices must land in that player's own
# ~/.config/zorbak-football-2/game.ini, nothing under the installed tree may
# change, and a second start must show the saved choices. As root it also
# installs the package for the whole system, plays it as root and purges it.
# Usage: package_e2e.sh PATH-OF-.deb SOURCE-MEDIA-FOLDER
# (the package builds it: scripts/build-package.sh; scripts/check-package.sh runs
# this test)
set -u

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
DEB=$ZORBAK  # e2e_setup takes the thing under test first: here the package

ROOT="$WORK/root"
PLAYER_HOME="$WORK/home"
OUTPUT="$WORK/output.txt"
OWN_FILE="$PLAYER_HOME/.config/zorbak-football-2/game.ini"
COMMAND="$ROOT/usr/games/zorbak-football-2"
DATA="$ROOT/usr/share/games/zorbak-football-2"
# An administrator's defaults in the installed media folder: a player's file
# starts as a copy of it.
INSTALLED_OPTIONS=$'; set up by the administrator\n[Game]\nWindowed=1\nMusic=1\n'

dpkg-deb -x "$DEB" "$ROOT" || { fail "dpkg-deb -x failed"; finish "package e2e"; }

SCENARIO="layout"
[ -L "$COMMAND" ] || fail "no command link /usr/games/zorbak-football-2"
expect_eq "the command's real path" "$(realpath "$COMMAND")" \
  "$ROOT/usr/lib/games/zorbak-football-2/zorbak"
expect_eq "media/ beside the executable" "$(realpath "$ROOT/usr/lib/games/zorbak-football-2/media")" "$DATA"
diff -rq "$MEDIA" "$DATA" > /dev/null || fail "the packaged media differ from $MEDIA"
printf '%s' "$INSTALLED_OPTIONS" > "$DATA/game.ini"

# The player: nobody when this runs as root (as CI does), else the caller with
# the installed tree made read-only.
mkdir -p "$PLAYER_HOME"
chmod 755 "$WORK"
if [ "$(id -u)" -eq 0 ]; then
  chown nobody:nogroup "$PLAYER_HOME"
  # The display's key, readable by the player.
  cp "${XAUTHORITY:?}" "$WORK/xauth" && chmod 644 "$WORK/xauth"
  AS_PLAYER=(runuser -u nobody -- env XAUTHORITY="$WORK/xauth")
else
  chmod -R a-w "$ROOT"
  restore_write() { chmod -R u+w "$ROOT"; }
  on_exit restore_write
  AS_PLAYER=(env XAUTHORITY="${XAUTHORITY:-}")
fi
# A launcher script, so start_program's time limit covers the whole command.
{
  printf '#!/bin/sh\nexec'
  printf ' %q' "${AS_PLAYER[@]}" HOME="$PLAYER_HOME" DISPLAY="$DISPLAY" \
    SDL_AUDIODRIVER=dummy LC_ALL=C env -u XDG_CONFIG_HOME -u XDG_DATA_HOME "$COMMAND"
  printf '\n'
} > "$WORK/play"
chmod 755 "$WORK/play"

# Every path, type, mode, size, time and link target under the installed tree,
# and every file's contents.
snapshot() {
  (cd "$ROOT" && find . -printf '%p %y %m %s %T@ %l\n' | sort && find . -type f -exec sha256sum {} + | sort)
}
snapshot > "$WORK/before.txt"

# After Start: the game window at the chosen size, then Q and the exit code.
play_and_quit() {  # expected size
  if ! find_game_window 30; then
    stop_game
    return
  fi
  expect_eq "game window size" "$(window_size)" "$1"
  sleep 1
  xdotool mousemove --window "$GAME_WINDOW" 320 240 keydown q sleep 0.1 keyup q
  expect_exit 0 10 Q
}

expect_own_options() {  # Windowed Lights Music Joystick UseHiQualTex Width Height UseScreenRes
  local key value
  for key in Windowed Lights Music Joystick UseHiQualTex Width Height UseScreenRes; do
    value=$(sed -n "s/^$key=//p" "$OWN_FILE" 2> /dev/null)
    expect_eq "$key in the player's game.ini" "$value" "$1"
    shift
  done
}

SCENARIO="first start"
if start_program "$PLAYER_HOME" "$WORK/play"; then
  xdotool mousemove --window "$LAUNCHER" 80 12 click 1
  sleep 0.3
  xdotool key Down Return  # 800x600
  sleep 0.2
  xdotool mousemove --window "$LAUNCHER" 236 12 click 1  # Lights
  xdotool mousemove --window "$LAUNCHER" 524 12 click 1  # HiQTexture
  xdotool mousemove --window "$LAUNCHER" 596 432 click 1  # Start
  play_and_quit 800x600
fi
[ -f "$OWN_FILE" ] || fail "no game.ini in the player's ~/.config/zorbak-football-2/"
expect_own_options 1 1 1 0 1 800 600 1
head -n 1 "$OWN_FILE" | grep -q '^; set up by the administrator$' ||
  fail "the player's file did not start as a copy of the installed one"
[ "$(stat -c %U "$OWN_FILE")" = "$(stat -c %U "$PLAYER_HOME")" ] || fail "the player does not own their game.ini"
expect_eq "the player's config folder's mode" "$(stat -c %a "$PLAYER_HOME/.config")" 700
[ -z "$(find "$PLAYER_HOME" -name '*.tmp')" ] || fail "a temporary file was left"
snapshot > "$WORK/after.txt"
diff "$WORK/before.txt" "$WORK/after.txt" > /dev/null || fail "the installed tree changed"

# Start takes what the launcher shows: had it shown anything but the saved
# choices, the file would now hold that instead.
SCENARIO="second start"
if start_program "$PLAYER_HOME" "$WORK/play"; then
  press_start
  play_and_quit 800x600
fi
expect_own_options 1 1 1 0 1 800 600 1
snapshot > "$WORK/after.txt"
diff "$WORK/before.txt" "$WORK/after.txt" > /dev/null || fail "the installed tree changed"

# Installed for the whole system and played by root, who may write there: root's
# options go to root's own folder all the same, and a purge leaves nothing under
# /usr/share/games. Only as root, and never over a package installed before.
SCENARIO="installed system-wide, played as root"
apt_get() {  # apt-get's arguments
  DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 -y -q "$@" > "$WORK/apt.txt" 2>&1 ||
    fail "apt-get $* failed: $(tail -n 3 "$WORK/apt.txt")"
}
if [ "$(id -u)" -eq 0 ] && ! dpkg -s zorbak-football-2 > /dev/null 2>&1; then
  on_exit '! dpkg -s zorbak-football-2 > /dev/null 2>&1 || apt_get purge zorbak-football-2'
  apt_get install --no-install-recommends "$DEB"
  mkdir -p "$WORK/root-home"
  E2E_RUNNER="env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME=$WORK/root-home" \
    start_program "$WORK/root-home" /usr/games/zorbak-football-2 && press_start && play_and_quit 640x480
  [ -f "$WORK/root-home/.config/zorbak-football-2/game.ini" ] || fail "root's options are not in root's own folder"
  apt_get purge zorbak-football-2
  left=$(find /usr/share/games -path '*zorbak*' 2> /dev/null)
  [ -z "$left" ] || fail "left behind after the purge: $left"
else
  note "not run: it needs root, and no zorbak-football-2 package installed"
fi
finish "package e2e"
