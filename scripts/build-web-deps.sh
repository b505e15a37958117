#!/usr/bin/env bash
# Builds the libraries of the game for the browser (static WebAssembly, with
# Debian's Emscripten) from Debian's own source packages, the same versions the
# Linux build uses, into a prefix named by their versions, and prints that prefix
# as its last line. A prefix that is already complete is reused; a build that
# stopped part-way keeps the libraries it finished.
#   usage: build-web-deps.sh
# The prefixes live outside the checkout so that another clone on the same
# machine finds them: ZF_WEB_DEPS_CACHE, else /var/cache/zorbak-football-2 for
# root, else ${XDG_CACHE_HOME:-~/.cache}/zorbak-football-2.
# SDL's configure step alone takes 20 to 40 minutes on two busy cores: every
# check is an emcc compile and link.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# shellcheck source=scripts/pinned-sources.sh
. "$root/scripts/pinned-sources.sh"
pick_sources freetype libjpeg-turbo libsdl2 libsdl2-ttf
# Raise when the way the libraries are built changes, so that no old prefix is reused.
RECIPE=1

cache=$(deps_cache_folder "${ZF_WEB_DEPS_CACHE:-}")
emscripten_version=$(emcc --version | sed -n '1s/.* \([0-9][0-9.]*\) .*/\1/p')
key="web-emscripten$emscripten_version-r$RECIPE-$(sources_key)"
prefix="$cache/$key"
take_prefix "$prefix" web
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
start=$SECONDS

# --- Fetch: bookworm's sources.
fetch_sources "$work" bookworm bookworm-updates
echo "Fetched the sources in $((SECONDS - start)) s" >&2

unpack() {  # unpack PACKAGE-FILE-STEM DIR: with Debian's patches
  unpack_source "$work" "$1" "$2"
}

# The libraries' own CMake and pkg-config files name the prefix they were installed
# to, so they are installed in place. Each finished library leaves a mark, so that a
# build stopped part-way does not configure SDL again; .complete marks the whole.
stage=$prefix
mkdir -p "$stage"
toolchain="$root/cmake/emscripten.cmake"
jobs=$(nproc)
export EMCC_SKIP_SANITY_CHECK=1
# Emscripten's JavaScript optimiser needs acorn, which Debian keeps here.
export NODE_PATH=/usr/share/nodejs
cmake_build() {  # cmake_build NAME [CMAKE OPTIONS...]
  local name=$1 source=$work/$1
  shift
  if [ -f "$stage/.built-$name" ]; then
    echo "Kept $name from an earlier run" >&2
    return 0
  fi
  cmake -S "$source" -B "$source/build-web" -G Ninja --toolchain "$toolchain" \
    -DZF_WEB_DEPS_PREFIX="$stage" -DCMAKE_INSTALL_PREFIX="$stage" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF "$@" > "$source.log" 2>&1 &&
    cmake --build "$source/build-web" -j "$jobs" >> "$source.log" 2>&1 &&
    cmake --install "$source/build-web" >> "$source.log" 2>&1 || {
    tail -n 40 "$source.log" >&2
    echo "Building $name for the web failed" >&2
    exit 1
  }
  touch "$stage/.built-$name"
  echo "Built $name ($((SECONDS - start)) s so far)" >&2
}

# Only TrueType fonts are read: no compressed font formats, no other libraries.
unpack freetype_ freetype
cmake_build freetype -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON

# No SIMD in WebAssembly here; CMake's size check of size_t misreads wasm32, whose
# size_t is 4 bytes.
unpack libjpeg-turbo_ libjpeg-turbo
cmake_build libjpeg-turbo -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
  -DWITH_SIMD=OFF -DSIZE_T=4 -DHAVE_SIZE_T=TRUE

# Threads stay off: a page can run them only with cross-origin isolation headers,
# which a plain static host does not send.
unpack libsdl2_ sdl2
cmake_build sdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_THREADS=OFF

unpack libsdl2-ttf_ sdl2-ttf
cmake_build sdl2-ttf -DSDL2TTF_VENDORED=OFF -DSDL2TTF_SAMPLES=OFF -DSDL2TTF_HARFBUZZ=OFF

printf '%s\n' "${SOURCES[@]}" > "$stage/SOURCES"
touch "$stage/.complete"
echo "Built the web libraries in $((SECONDS - start)) s into $prefix" >&2
echo "$prefix"
