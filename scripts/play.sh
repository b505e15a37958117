#!/usr/bin/env bash
# Installs what the game needs, builds it and starts it (launcher first).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Only the game itself: the tests and benchmarks are built by scripts/test.sh.
cmake --build build --target zorbak -j "$(nproc)"
exec ./build/zorbak
