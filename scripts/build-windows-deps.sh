#!/usr/bin/env bash
# Cross-builds the libraries of the game for 64-bit Windows (static, MinGW-w64)
# from Debian's own source packages, into a prefix named by their versions, and
# prints that prefix as its last line. A prefix that is already complete is reused.
#   usage: build-windows-deps.sh
# The prefixes live outside the checkout so that another clone on the same
# machine finds them: ZF_WIN_DEPS_CACHE, else /var/cache/zorbak-football-2 for
# root, else ${XDG_CACHE_HOME:-~/.cache}/zorbak-football-2.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# shellcheck source=scripts/pinned-sources.sh
. "$root/scripts/pinned-sources.sh"
pick_sources zlib freetype libjpeg-turbo libsdl2 libsdl2-ttf fltk1.3
# Raise when the way the libraries are built changes, so that no old prefix is reused.
RECIPE=1

cache=$(deps_cache_folder "${ZF_WIN_DEPS_CACHE:-}")
key="win64-r$RECIPE-$(sources_key)"
prefix="$cache/$key"
take_prefix "$prefix" Windows
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
start=$SECONDS

# --- Fetch: bookworm's sources, and trixie's for FLTK.
fetch_sources "$work" bookworm bookworm-updates trixie
echo "Fetched the sources in $((SECONDS - start)) s" >&2

unpack() {  # unpack PACKAGE-FILE-STEM DIR
  unpack_source "$work" "$1" "$2"
}

# The libraries' own CMake and pkg-config files name the prefix they were installed
# to, so they are installed in place; .complete marks a finished build.
stage=$prefix
rm -rf "$stage"
mkdir -p "$stage"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
jobs=$(nproc)
cmake_build() {  # cmake_build SOURCE-DIR [CMAKE OPTIONS...]
  local source=$1
  shift
  cmake -S "$source" -B "$source/build-win" -G Ninja --toolchain "$toolchain" \
    -DZF_WIN_DEPS_PREFIX="$stage" -DCMAKE_INSTALL_PREFIX="$stage" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF "$@" > "$source.log" 2>&1 &&
    cmake --build "$source/build-win" -j "$jobs" >> "$source.log" 2>&1 &&
    cmake --install "$source/build-win" >> "$source.log" 2>&1 || {
    tail -n 40 "$source.log" >&2
    echo "Building $(basename "$source") for Windows failed" >&2
    exit 1
  }
  echo "Built $(basename "$source") ($((SECONDS - start)) s so far)" >&2
}

# zlib: a handful of C files. Debian's source drops win32/, which its CMake
# build needs, so the static library is made directly.
unpack zlib_ zlib
(
  cd "$work/zlib"
  for file in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast \
    inflate inftrees trees uncompr zutil; do
    x86_64-w64-mingw32-gcc-posix -O2 -c "$file.c" -o "$file.o"
  done
  x86_64-w64-mingw32-ar rcs libz.a ./*.o
  mkdir -p "$stage/lib" "$stage/include"
  cp libz.a "$stage/lib/" && cp zlib.h zconf.h "$stage/include/"
)
echo "Built zlib ($((SECONDS - start)) s so far)" >&2

unpack freetype_ freetype
cmake_build "$work/freetype" -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON \
  -DFT_DISABLE_BROTLI=ON -DFT_REQUIRE_ZLIB=ON

unpack libjpeg-turbo_ libjpeg-turbo
cmake_build "$work/libjpeg-turbo" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
  -DCMAKE_ASM_NASM_COMPILER=nasm

unpack libsdl2_ sdl2
cmake_build "$work/sdl2" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF

unpack libsdl2-ttf_ sdl2-ttf
cmake_build "$work/sdl2-ttf" -DSDL2TTF_VENDORED=OFF -DSDL2TTF_SAMPLES=OFF -DSDL2TTF_HARFBUZZ=OFF

unpack fltk1.3_ fltk
cmake_build "$work/fltk" -DFLTK_BUILD_TEST=OFF -DOPTION_BUILD_SHARED_LIBS=OFF \
  -DOPTION_USE_SYSTEM_ZLIB=ON -DOPTION_USE_SYSTEM_LIBJPEG=ON -DOPTION_USE_SYSTEM_LIBPNG=OFF \
  -DOPTION_BUILD_HTML_DOCUMENTATION=OFF -DOPTION_BUILD_PDF_DOCUMENTATION=OFF

printf '%s\n' "${SOURCES[@]}" > "$stage/SOURCES"
touch "$stage/.complete"
echo "Built the Windows libraries in $((SECONDS - start)) s into $prefix" >&2
echo "$prefix"
