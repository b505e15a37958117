#!/usr/bin/env bash
# Installs what the game needs, builds it and starts it (launcher first).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
exec ./build/zorbak
