#!/usr/bin/env bash
# Builds the browser game with its unit tests (scripts/build-web.sh), runs the
# unit tests under Node, and plays the game from its zip in headless Chromium
# (tests/web/web_e2e.py), served on localhost: its label read against the
# browser build's own renderings, its first picture against the Linux build's.
# Then measures the page at play beside the Linux build in the same run
# (ZF_WEB_MEASURE_SECONDS, default 20; 0 skips it). The Linux build is
# NATIVE_BUILD (default build/), configured and its game built when missing.
#   usage: test-web.sh [BUILD]   (default: build-web/)
# ZF_WEB_SHOTS names a folder for the screenshots of the page.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${1:-build-web}")
native=$(realpath -m "${NATIVE_BUILD:-build}")
zip_file=$(bash scripts/build-web.sh "$build" | tail -n 1)

(
  cd "$build"
  ctest --output-on-failure -L unit -j "$(nproc)" --timeout 600
)

if [ ! -f "$native/CMakeCache.txt" ]; then
  cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZF_BENCHMARKS=OFF > /dev/null
fi
# The Linux build's picture is taken as its whole-program tests take theirs,
# with their helpers that render the label and read the window's area.
cmake --build "$native" -j "$(nproc)" --target zorbak e2e_label_picture e2e_watch_area > /dev/null

site=$(mktemp -d)
trap 'rm -rf "$site"' EXIT
unzip -q "$zip_file" -d "$site"
site_folder=$(echo "$site"/zorbak-football-2-*)
ZF_LABEL_PICTURE="$native/tests/e2e_label_picture" ZF_WATCH_AREA="$native/tests/e2e_watch_area" \
  bash tests/web/desktop_first_frame.sh "$native/zorbak" media "$site/desktop-first-frame.png"
/usr/bin/python3 tests/web/web_e2e.py "$site_folder" "$build/tests/e2e_label_picture.sh" \
  --desktop-frame "$site/desktop-first-frame.png" ${ZF_WEB_SHOTS:+--shots "$ZF_WEB_SHOTS"}

seconds=${ZF_WEB_MEASURE_SECONDS:-20}
if [ "$seconds" != 0 ]; then
  echo "The page at play, then the Linux build, $seconds s each:"
  /usr/bin/python3 tests/web/web_e2e.py "$site_folder" "$build/tests/e2e_label_picture.sh" --measure "$seconds"
  bash tools/measure_game.sh "$native/zorbak" "$seconds"
fi
