#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test: the unit
# tests, the tests that open windows (under a virtual X server with Mesa's software
# renderer) and the whole-program tests that drive the real executable.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test
bash scripts/build.sh
cd build
# Audio tests use SDL's silent or file drivers; no test needs a sound card.
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
export LC_ALL=C
xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure -j "$(nproc)" --timeout 600
