#!/usr/bin/env bash
# The layer check must pass on a tree that keeps the ladder, and fail, naming the
# file, the line and the include, on one that points up or sideways.
set -euo pipefail
check="$1"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/platform" "$tree/core" "$tree/math" "$tree/model" "$tree/game"
echo '#include <cstdio>' >"$tree/platform/Clock.h"
printf '#include "platform/Clock.h"\n#include "Local.h"\n' >"$tree/core/Paths.cpp"
printf '#include "core/Paths.h"\n#include "model/Other.h"\n' >"$tree/model/Reader.cpp"
printf '#include "model/Reader.h"\n' >"$tree/game/Game.cpp"
printf '#include "game/Game.h"\n' >"$tree/main.cpp"
bash "$check" "$tree"

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_refused() {
  local file="$1" include="$2"
  echo "#include \"$include\"" >>"$tree/$file"
  if output=$(bash "$check" "$tree" 2>&1); then
    fail "$file including $include was accepted"
  fi
  grep -q "^$file:[0-9]*: #include \"$include\"" <<<"$output" || fail "no line for $include: $output"
  sed -i '$d' "$tree/$file"
}
expect_refused model/Reader.cpp "game/Game.h"     # up the ladder
expect_refused core/Paths.cpp "math/Vec.h"        # same rung, other folder
expect_refused platform/Clock.h "core/Paths.h"    # the bottom rung includes nothing of ours
expect_refused core/Paths.cpp "../game/Game.h"    # a relative path around the ladder
echo '#ifdef _WIN32' >>"$tree/platform/Clock.h"
bash "$check" "$tree"
for branch in "#ifdef _WIN32" "#if defined(__EMSCRIPTEN__)"; do
  echo "$branch" >>"$tree/core/Paths.cpp"
  output=$(bash "$check" "$tree" 2>&1) && fail "an OS branch in core/ was accepted: $branch"
  grep -qF "core/Paths.cpp:3: $branch" <<<"$output" || fail "no line for $branch: $output"
  sed -i '$d' "$tree/core/Paths.cpp"
done
# Files named for one system: beside another system's version only, in platform/ only.
touch "$tree/platform/ClockPosix.cpp" "$tree/platform/ClockWindows.cpp"
bash "$check" "$tree"
expect_misnamed() {
  local file="$1" reason="$2"
  touch "$tree/$file"
  output=$(bash "$check" "$tree" 2>&1) && fail "$file was accepted"
  grep -qF "$reason" <<<"$output" || fail "no line for $file: $output"
  rm "$tree/$file"
}
expect_misnamed platform/Clock.cpp "platform/ClockPosix.cpp: platform/Clock.cpp beside it"
expect_misnamed core/PathsX11.cpp "core/PathsX11.cpp: named for one system outside platform/"
echo "layer check: all cases behave"
