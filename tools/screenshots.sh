#!/bin/bash
# Takes screenshots of the whole game under a virtual X server: the launcher with
# its splash picture, then the first view of a drive and a moment of play, once
# with the Lights option off and once with it on, in a 640 x 480 window.
#
#   bash tools/screenshots.sh <zorbak executable> [output folder]
#
# The game runs from a temporary copy (executable, media and a game.ini written
# for the run), so the repository's media folder is never touched. The pictures
# are PNG files, which git ignores.
set -euo pipefail

exe=${1:?usage: screenshots.sh <zorbak executable> [output folder]}
out=${2:-screenshots}
repo=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")

shoot_run() {  # $1 = Lights value, runs inside the X server
    local lights=$1 dir
    dir=$(mktemp -d)
    cp "$exe" "$dir/zorbak"
    cp -r "$repo/media" "$dir/media"
    printf '[Game]\nWindowed=1\nLights=%d\nMusic=0\nJoystick=0\nUseHiQualTex=0\nWidth=640\nHeight=480\nUseScreenRes=0\n' \
        "$lights" > "$dir/media/game.ini"
    (cd "$dir" && LC_ALL=C SDL_AUDIODRIVER=dummy ./zorbak) &
    local game=$!
    local launcher=""
    for _ in $(seq 50); do
        launcher=$(xdotool search --name "Zorbak Football II" 2>/dev/null | head -1 || true)
        [ -n "$launcher" ] && break
        sleep 0.2
    done
    if [ -z "$launcher" ]; then
        echo "no launcher window appeared" >&2
        kill "$game" 2>/dev/null || true
        return 1
    fi
    sleep 1
    import -window root "$out/launcher_lights$lights.png"
    xdotool windowfocus --sync "$launcher" key alt+s
    sleep 3
    import -window root "$out/start_lights$lights.png"
    # Hike, and run up the field with the pointer held above the window's middle.
    local window
    window=$(xdotool search --name "Zorbak Football II" 2>/dev/null | tail -1)
    # The game reads keys as held flags at its 30 ms tick, so the key is held
    # down a moment, as a player's finger does, rather than tapped.
    xdotool windowfocus --sync "$window" mousemove --window "$window" 300 120 keydown space
    sleep 0.2
    xdotool keyup space
    sleep 4
    import -window root "$out/play_lights$lights.png"
    xdotool keydown q sleep 0.2 keyup q 2>/dev/null || true
    sleep 1
    kill "$game" 2>/dev/null || true
    wait "$game" 2>/dev/null || true
    rm -rf "$dir"
}

if [ "${3:-}" = "--inside-x" ]; then
    shoot_run "$4"
    exit
fi
for lights in 0 1; do
    # The script runs itself again inside the X server for each run.
    xvfb-run -a -s "-screen 0 800x600x24" bash "$0" "$exe" "$out" --inside-x "$lights"
done
echo "screenshots in $out"
