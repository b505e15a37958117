#!/usr/bin/env bash
# The area reader of the whole-program tests, on a display of its own: its
# picture of an area is the very one ImageMagick takes, colours and all; a wait
# sees a window come over the area and brackets that moment with the clock
# file's sizes; a wait for a change that does not come ends after its real time
# or after its clock's time; a reference of another size is refused.
# Usage: watch_area_test.sh PATH-OF-watch_area
set -u
if [ -z "${WATCH_AREA_TEST_DISPLAY:-}" ]; then
  WATCH_AREA_TEST_DISPLAY=1 exec xvfb-run -a -s "-noreset -screen 0 320x240x24" bash "$0" "$@"
fi
WATCH=$1
WORK=$(mktemp -d)
CLOCK_PID=""
trap 'kill $CLOCK_PID $(jobs -p) 2> /dev/null; rm -rf "$WORK"' EXIT
FAILURES=0
fail() {
  echo "FAIL: $*"
  FAILURES=$((FAILURES + 1))
}
ROOT=$(xwininfo -root | awk '/Window id:/ {print $4}')
AREA=40x30+10+10

# A clock file that grows by 4096 bytes every 10 ms or so.
start_clock() {
  : > "$WORK/clock"
  (while :; do head -c 4096 /dev/zero >> "$WORK/clock"; sleep 0.01; done) &
  CLOCK_PID=$!
}

"$WATCH" "$ROOT" "$AREA" "$WORK/before.ppm" || fail "no picture of the area"
import -window root -crop "$AREA" +repage -depth 8 "ppm:$WORK/import.ppm"
cmp -s "$WORK/before.ppm" "$WORK/import.ppm" || fail "the picture differs from ImageMagick's"

"$WATCH" "$ROOT" "$AREA" "$WORK/same.ppm" "$WORK/before.ppm" 300 > /dev/null
[ $? -eq 1 ] || fail "a wait for a change that does not come does not end with 1 after its time"
start_clock
"$WATCH" "$ROOT" "$AREA" "$WORK/same.ppm" "$WORK/before.ppm" 600000 "$WORK/clock" 200 > /dev/null
[ $? -eq 1 ] || fail "a wait for a change that does not come does not end with 1 after its clock's time"
kill "$CLOCK_PID"

# A window over the area, a second after the wait began.
convert -size 100x100 gradient:red-blue -depth 8 "ppm:$WORK/colours.ppm"
start_clock
(sleep 1 && stat -c %s "$WORK/clock" > "$WORK/shown-at" && exec display -geometry +0+0 "$WORK/colours.ppm") &
times=$("$WATCH" "$ROOT" "$AREA" "$WORK/after.ppm" "$WORK/before.ppm" 60000 "$WORK/clock" 600000) ||
  fail "the window coming over the area was not seen"
read -r before after <<< "$times"
cmp -s "$WORK/after.ppm" "$WORK/before.ppm" && fail "the picture after the change is the one before"
shown_at=$(cat "$WORK/shown-at")
[ "$before" -ge 0 ] && [ "$before" -le "$after" ] && [ "$after" -ge "$shown_at" ] ||
  fail "the clock's sizes around the change ($before, $after) do not bracket the window's coming after $shown_at"

# Once the window has drawn its colours, both read the same picture there too.
same_as_import() {
  "$WATCH" "$ROOT" "$AREA" "$WORK/colours-area.ppm" &&
    import -window root -crop "$AREA" +repage -depth 8 "ppm:$WORK/import.ppm" &&
    cmp -s "$WORK/colours-area.ppm" "$WORK/import.ppm"
}
for _ in $(seq 60); do
  ! same_as_import || break
  sleep 0.5
done
same_as_import && ! cmp -s "$WORK/colours-area.ppm" "$WORK/before.ppm" ||
  fail "the picture of the window's colours differs from ImageMagick's"

"$WATCH" "$ROOT" 20x20+0+0 "$WORK/x.ppm" "$WORK/before.ppm" 300 > /dev/null 2>&1
[ $? -eq 2 ] || fail "a reference of another size is not refused"

if [ "$FAILURES" -ne 0 ]; then
  echo "watch area test: $FAILURES check(s) failed"
  exit 1
fi
echo "watch area test: all checks passed"
