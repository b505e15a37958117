#!/usr/bin/env bash
# Builds the game for 64-bit Windows from this source tree (a git checkout or an
# unpacked source tarball alike) and packs it for players, in BUILD (default:
# build-win/):
#   zorbak-football-2-<version>-win64.zip   the game's folder, to unpack anywhere
#   zorbak-football-2-<version>-setup.exe   its installer
# The libraries come from scripts/build-windows-deps.sh (built once, then reused).
# The tests are built too unless -DZF_TESTS=OFF is given; extra arguments go to cmake.
#   usage: build-windows.sh [BUILD [CMAKE OPTIONS...]]
# Prints the paths of the zip and the installer as its last two lines.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh windows >&2
build=$(realpath -m "${1:-build-win}")
shift || true
prefix=$(bash scripts/build-windows-deps.sh | tail -n 1)

cmake -S . -B "$build" -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake \
  -DZF_WIN_DEPS_PREFIX="$prefix" -DZF_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >&2
cmake --build "$build" -j "$(nproc)" >&2

version=$(sed -n 's/^project([A-Za-z0-9]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="zorbak-football-2-$version"
stage="$build/package/$name"
rm -rf "$build/package"
# Optimised as the Linux build is; the debugging data stays out of the packages.
cmake --install "$build" --prefix "$stage" --strip >&2
bash scripts/windows-readme.sh "$version" . "$stage/README.txt"

zip_file="$build/$name-win64.zip"
rm -f "$zip_file"
(cd "$build/package" && zip -q -r -X "$zip_file" "$name")

# The installer's file lists: what it writes is exactly what its uninstaller removes.
lists="$build/package/lists"
mkdir -p "$lists"
(
  cd "$stage"
  find . -type d | sort | while read -r folder; do
    echo "SetOutPath \"\$INSTDIR${folder#.}\"" | tr '/' '\\'
    find "$folder" -maxdepth 1 -type f | sort | while read -r file; do
      echo "File \"$stage/${file#./}\""
    done
  done > "$lists/install-files.nsh"
  find . -type f | sort | sed 's|^\./||' | while read -r file; do
    echo "Delete \"\$INSTDIR\\${file//\//\\}\""
  done > "$lists/uninstall-files.nsh"
  # Deepest first; a folder that still holds the player's files stays.
  find . -mindepth 1 -type d | sort -r | sed 's|^\./||' | while read -r folder; do
    echo "RMDir \"\$INSTDIR\\${folder//\//\\}\""
  done >> "$lists/uninstall-files.nsh"
)
setup="$build/$name-setup.exe"
makensis -V2 -DVERSION="$version" -DFILES="$lists" -DOUTFILE="$setup" windows/zorbak.nsi >&2
echo "$zip_file"
echo "$setup"
