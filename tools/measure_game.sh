#!/usr/bin/env bash
# Whole-program figures of the running game: the CPU it uses over some seconds of
# play at 640 x 480 under a virtual X server with Mesa's software renderer, as a
# share of one core, and its peak resident memory.
#
#   bash tools/measure_game.sh <zorbak executable> [seconds of play, default 20]
#
# ZF_LIGHTS=1 measures with the Lights option on, ZF_HIQ=1 with high-quality textures
# (both off by default, as a new player has them). ZF_MINIMISED=1 measures the game
# minimised instead (under a window manager, Openbox), the player away: a minimised
# window draws nothing, and the game should then cost next to no CPU. ZF_PAUSED=1
# with it pauses the game first (P), as a player who looks away does.
#
# The game runs from a temporary copy (executable, media, a game.ini for a 640 x
# 480 window), its sound going to SDL's silent driver. The media are those beside
# the executable (a build folder keeps a copy there), else the repository's. While it is measured the
# player hikes and steers left and right, as in a real down. The figures come from
# /proc: utime + stime of the game process (its rendering threads included) and
# VmHWM; the X server's own CPU is shown beside them. The ticks during play are
# counted from the frames shown (tools/swap_times.c, preloaded).
set -euo pipefail

exe=${1:?usage: measure_game.sh <zorbak executable> [seconds]}
seconds=${2:-20}
repo=$(cd "$(dirname "$0")/.." && pwd)
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")

if [ "${ZF_MEASURE_INSIDE_X:-}" != 1 ]; then
  export ZF_MEASURE_INSIDE_X=1 LC_ALL=C
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$exe" "$seconds"
fi

dir=$(mktemp -d)
game=""
wm=""
cleanup() {
  if [ -n "$game" ] && kill -0 "$game" 2> /dev/null; then
    kill "$game"
  fi
  [ -z "$wm" ] || kill "$wm"
  rm -rf "$dir"
}
trap cleanup EXIT

if [ "${ZF_MINIMISED:-}" = 1 ]; then
  # Minimising is the window manager's business: start one, and wait until it
  # manages windows.
  openbox --sm-disable --startup "touch $dir/wm-ready" > /dev/null 2>&1 &
  wm=$!
  for _ in $(seq 200); do
    [ -e "$dir/wm-ready" ] && break
    sleep 0.05
  done
fi


media="$repo/media"
if [ -f "$(dirname "$exe")/media/field.a3f" ]; then
  media="$(dirname "$exe")/media"
fi
cp "$exe" "$dir/zorbak"
cp -r "$media" "$dir/media"
printf '[Game]\nWindowed=1\nLights=%d\nMusic=0\nJoystick=0\nUseHiQualTex=%d\nWidth=640\nHeight=480\nUseScreenRes=0\n' "${ZF_LIGHTS:-0}" "${ZF_HIQ:-0}" \
  > "$dir/media/game.ini"

# The time of each frame shown, to count the ticks of play (tools/swap_times.c).
cc -shared -fPIC -O2 -o "$dir/swap_times.so" "$repo/tools/swap_times.c" -ldl
(cd "$dir" && SDL_AUDIODRIVER=dummy ZF_SWAP_TIMES_FILE="$dir/swaps.txt" LD_PRELOAD="$dir/swap_times.so" \
  exec ./zorbak) > "$dir/output.txt" 2>&1 &
game=$!
launcher=$(timeout 20 xdotool search --sync --onlyvisible --class '^ZorbakLauncher$' | head -n 1)
sleep 0.5
xdotool windowfocus --sync "$launcher" key alt+s
window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^Zorbak Football II$' 2> /dev/null | grep -vx "$launcher" | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "no game window appeared" >&2
  exit 1
fi
sleep 1

# Busy time in clock ticks (user + system) of one process.
busy_ticks() {  # pid
  awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"
}
xserver=$(ps -o pid=,comm= --ppid "$PPID" | awk '$2 == "Xvfb" {print $1; exit}')
ticks_per_second=$(getconf CLK_TCK)

game_before=$(busy_ticks "$game")
x_before=$( [ -n "$xserver" ] && busy_ticks "$xserver" || echo 0)
start_ns=$(date +%s%N)
end_ns=$((start_ns + seconds * 1000000000))
step=0
if [ "${ZF_MINIMISED:-}" = 1 ]; then
  if [ "${ZF_PAUSED:-}" = 1 ]; then
    xdotool windowfocus --sync "$window" keydown p sleep 0.2 keyup p
  fi
  xdotool windowminimize --sync "$window"
  game_before=$(busy_ticks "$game")
  x_before=$( [ -n "$xserver" ] && busy_ticks "$xserver" || echo 0)
  start_ns=$(date +%s%N)
  sleep "$seconds"
  end_ns=0
fi
while [ "$(date +%s%N)" -lt "$end_ns" ]; do
  # Hike (again after every line-up) and run up the field weaving left and right.
  if [ $((step % 4)) -eq 0 ]; then
    xdotool keydown space sleep 0.2 keyup space
  fi
  if [ $((step % 2)) -eq 0 ]; then
    xdotool mousemove --window "$window" 200 150
  else
    xdotool mousemove --window "$window" 440 150
  fi
  sleep 0.5
  step=$((step + 1))
done
elapsed_ns=$(($(date +%s%N) - start_ns))
game_after=$(busy_ticks "$game")
x_after=$( [ -n "$xserver" ] && busy_ticks "$xserver" || echo 0)
peak_kb=$(awk '/^VmHWM:/ {print $2}' "/proc/$game/status")

if [ "${ZF_MINIMISED:-}" = 1 ]; then
  kill -TERM "$game"  # the keys would go to whatever has the focus now
else
  xdotool keydown q sleep 0.1 keyup q
fi
wait "$game" || true
game=""

# While a down is played the picture changes at every tick, so each tick shows
# a frame: within runs of frames less than 0.1 s apart, frames are ticks.
if [ "${ZF_MINIMISED:-}" != 1 ]; then
  awk -v from=$((start_ns / 1000000)) -v to=$(((start_ns + elapsed_ns) / 1000000)) '
    $1 >= from && $1 <= to { if (last != "" && $1 - last < 100) { n++; sum += $1 - last } last = $1 }
    END { if (n) printf "ticks during play: %.1f a second (%d ticks; the game'"'"'s tick is 30 ms)\n", 1000 * n / sum, n }
  ' "$dir/swaps.txt"
fi
awk -v g=$((game_after - game_before)) -v x=$((x_after - x_before)) -v t="$ticks_per_second" \
    -v ns="$elapsed_ns" -v kb="$peak_kb" -v minimised="${ZF_MINIMISED:-0}" -v paused="${ZF_PAUSED:-0}" 'BEGIN {
  minimised = minimised == 1
  paused = paused == 1
  s = ns / 1e9
  printf "%s for %.1f s at 640x480\n", (minimised ? (paused ? "paused and minimised" : "minimised") : "played"), s
  printf "game CPU: %.1f %% of one core\n", 100 * g / t / s
  printf "X server CPU: %.1f %% of one core\n", 100 * x / t / s
  printf "game peak resident memory: %.1f MiB\n", kb / 1024
}'
