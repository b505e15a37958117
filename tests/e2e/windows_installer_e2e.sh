#!/usr/bin/env bash
# The Windows installer in a fresh Wine prefix, as a new player's machine: a
# silent install puts the game under Program Files with its Start-menu entry and
# its Apps & Features entry; the installed game shows its launcher, plays and
# quits on Q, keeping the player's options in their own folder (never under
# Program Files); a silent uninstall then removes every file the installer wrote,
# the game's folder and its entries, and leaves the player's own options.
# Usage: windows_installer_e2e.sh PATH-OF-setup.exe SOURCE-MEDIA-FOLDER
set -u

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$@"
SETUP=$ZORBAK
export WINEPREFIX="$WORK/wine" WINEDEBUG=-all
on_exit 'wineserver -k 2> /dev/null'
wineboot -i > "$WORK/wineboot.txt" 2>&1
wineserver -w

DIR="$WINEPREFIX/drive_c/Program Files/Zorbak Football II"
LINK="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zorbak Football II.lnk"
KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZorbakFootball2'
registry_value() {  # name
  wine reg query "$KEY" /v "$1" 2> /dev/null | tr -d '\r' | awk -v n="$1" '$1 == n {
    $1 = ""; $2 = ""; sub(/^  */, ""); print }'
}

SCENARIO="silent install"
wine "$SETUP" /S
expect_eq "installer exit code" "$?" 0
[ -f "$DIR/zorbak.exe" ] || { fail "no zorbak.exe under Program Files"; finish "windows installer e2e"; }
diff -rq "$MEDIA" "$DIR/media" > /dev/null || fail "the installed media differ from $MEDIA"
[ -f "$DIR/fonts/DejaVuSans-Bold.ttf" ] || fail "the fallback font is not installed"
[ -f "$LINK" ] || fail "no Start-menu shortcut"
expect_eq "Apps & Features name" "$(registry_value DisplayName)" "Zorbak Football II"
expect_eq "Apps & Features quiet uninstall" "$(registry_value QuietUninstallString)" \
  '"C:\Program Files\Zorbak Football II\uninstall.exe" /S'

SCENARIO="installed game"
# Wine names the player's profile after the user running it.
profile=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
OPTIONS_FILE="$profile/AppData/Roaming/zorbak-football-2/game.ini"
AUDIO="$WORK/audio.raw" OUTPUT="$WORK/output.txt"
mkdir -p "$WORK/elsewhere"
start_program "$WORK/elsewhere" 'C:\Program Files\Zorbak Football II\zorbak.exe' ||
  finish "windows installer e2e"
press_start
find_game_window 30 || finish "windows installer e2e"
sleep 1.5
shot "$WORK/start.png"
greater "$(green_share "$WORK/start.png" 320x80+160+200)" 0.5 || fail "the installed game shows no field"
quit_and_check_exit
[ -e "$DIR/media/game.ini" ] && fail "the player's options went under Program Files"

SCENARIO="silent uninstall"
# The uninstaller runs from a copy of itself and returns at once, as from Apps &
# Features: its end is when Wine's last process has ended.
wine "$DIR/uninstall.exe" /S
expect_eq "uninstaller exit code" "$?" 0
wineserver -w
[ -e "$DIR" ] && fail "left behind: $(find "$DIR" | tr '\n' ' ')"
[ -f "$OPTIONS_FILE" ] || fail "the player's options were removed"
[ -e "$LINK" ] && fail "the Start-menu shortcut is still there"
[ -n "$(registry_value DisplayName)" ] && fail "the Apps & Features entry is still there"
finish "windows installer e2e"
