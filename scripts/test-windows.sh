#!/usr/bin/env bash
# Builds and packs the Windows game with its tests (scripts/build-windows.sh) and
# runs every test of it under Wine through ctest: the unit and window tests (Wine
# as the toolchain's emulator, on one virtual X server), the whole-program tests
# and the installer's test (each on an X server of its own).
#   usage: test-windows.sh [BUILD]   (default: build-win/)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${1:-build-win}")
if [ "${ZF_WINE_TESTS_DISPLAY_READY:-}" != 1 ]; then
  bash scripts/build-windows.sh "$build" > /dev/null
  # Again, on a virtual X server of its own for Wine's windows.
  export ZF_WINE_TESTS_DISPLAY_READY=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$build"
fi

# A prefix of the tests' own, made fresh, so nothing from an earlier run or from
# the player's own Wine counts. The installer's test makes another one.
export WINEPREFIX="$build/wine" WINEDEBUG=-all
rm -rf "$WINEPREFIX"
cd "$build"
export SDL_AUDIODRIVER=dummy LC_ALL=C
wineboot -i > /dev/null 2>&1
wineserver -w
# The whole-program tests' own prefixes (tests/e2e/WindowsE2e.cmake), copied
# rather than made again.
for name in play_e2e bad_media_e2e; do
  rm -rf "$WINEPREFIX-$name"
  cp -a "$WINEPREFIX" "$WINEPREFIX-$name"
done
# Wine's own fonts folder is empty: the whole-program tests find the game's
# font in the fonts folder beside it, as on a bare Windows; the unit tests,
# whose executable has none, find it installed.
cp /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
# A server that stays up, and Wine's background processes started once:
# otherwise each test pays Wine's start-up, and the first one hangs on a pipe
# that the background processes hold.
wineserver -p
wine cmd /c exit
status=0
ctest --output-on-failure -j "$(nproc)" --timeout 900 || status=$?
for prefix in "$WINEPREFIX" "$WINEPREFIX"-*; do
  WINEPREFIX=$prefix wineserver -k 2> /dev/null || true
done
exit $status
