#!/usr/bin/env bash
# Keeps the source folders a one-way ladder: a file may include headers of its own
# folder and of folders on lower rungs only. Prints every include that points to
# the same or a higher rung and fails when there is one.
#   usage: check_layers.sh [SRC_DIR]   (default: the project's src/)
# It also keeps every OS branch (_WIN32, __EMSCRIPTEN__, __linux__, __APPLE__,
# __unix__) inside platform/, and every file named for one system there too
# (NamePosix.cpp, NameX11.cpp, NameWindows.cpp, NameWeb.cpp: CMake builds each on
# its system only), never beside a bare Name.cpp, which every system builds.
set -euo pipefail
src_dir="${1:-$(dirname "$0")/../src}"

# The rung of each folder; src/main.cpp itself stands on the top rung.
rung_of() {
  case "$1" in
    platform) echo 0 ;;
    math | core | input) echo 1 ;;
    model | text | sound) echo 2 ;;
    app) echo 3 ;;
    game) echo 4 ;;
    .) echo 5 ;;
    *) echo "" ;;
  esac
}

status=0
while IFS= read -r file; do
  relative="${file#"$src_dir"/}"
  folder=$(dirname "$relative")
  own_rung=$(rung_of "$folder")
  if [ -z "$own_rung" ]; then
    echo "$relative: folder '$folder' has no rung on the ladder" >&2
    status=1
    continue
  fi
  if [[ "$relative" =~ ^(.*)(Posix|X11|Windows|Web)\.cpp$ ]]; then
    shared="${BASH_REMATCH[1]}.cpp"
    if [ "$folder" != platform ]; then
      echo "$relative: named for one system outside platform/" >&2
      status=1
    elif [ -e "$src_dir/$shared" ]; then
      echo "$relative: $shared beside it is built on every system; name the versions for their systems" >&2
      status=1
    fi
  fi
  line_number=0
  while IFS= read -r line; do
    line_number=$((line_number + 1))
    if [ "$folder" != platform ] && [[ "$line" =~ (_WIN32|__EMSCRIPTEN__|__linux__|__APPLE__|__unix__) ]]; then
      echo "$relative:$line_number: $line  (an OS branch outside platform/)" >&2
      status=1
    fi
    [[ "$line" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]] || continue
    target="${BASH_REMATCH[1]}"
    if [[ "$target" != */* ]]; then
      # A bare name is found beside the including file: its own folder.
      continue
    fi
    target_folder="${target%%/*}"
    [ "$target_folder" = "$folder" ] && continue
    target_rung=$(rung_of "$target_folder")
    if [ -z "$target_rung" ] || [ "$target_rung" -ge "$own_rung" ]; then
      echo "$relative:$line_number: $line  (rung $own_rung includes '$target_folder', which is not below it)" >&2
      status=1
    fi
  done <"$file"
done < <(find "$src_dir" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
exit $status
