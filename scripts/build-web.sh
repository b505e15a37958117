#!/usr/bin/env bash
# Builds the game for web browsers from this source tree (a git checkout or an
# unpacked source tarball alike) with Debian's Emscripten, and packs it for
# players in BUILD (default: build-web/):
#   zorbak-football-2-<version>-web.zip   the page, to serve from any static host
# The libraries come from scripts/build-web-deps.sh (built once, then reused).
# The unit tests for Node are built too unless -DZF_TESTS=OFF is given; extra
# arguments go to cmake. Prints the sizes, and the zip's path as its last line.
#   usage: build-web.sh [BUILD [CMAKE OPTIONS...]]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh web >&2
build=$(realpath -m "${1:-build-web}")
shift || true
prefix=$(bash scripts/build-web-deps.sh | tail -n 1)

# Emscripten's JavaScript optimiser needs acorn, which Debian keeps here.
export NODE_PATH=/usr/share/nodejs EMCC_SKIP_SANITY_CHECK=1
# Every file is an emcc run of a second or more: ccache, where there is one,
# keeps the objects for the next build, of this tree or of another clone.
launcher=()
if command -v ccache > /dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(pwd)}
fi
cmake -S . -B "$build" -G Ninja --toolchain cmake/emscripten.cmake "${launcher[@]}" \
  -DZF_WEB_DEPS_PREFIX="$prefix" -DZF_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Release "$@" >&2
cmake --build "$build" -j "$(nproc)" >&2

version=$(sed -n 's/^project([A-Za-z0-9]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="zorbak-football-2-$version"
stage="$build/package/$name"
rm -rf "$build/package"
mkdir -p "$stage"
for file in index.html page.js zorbak.js zorbak.wasm zorbak.data DejaVu-LICENSE.txt; do
  cp "$build/$file" "$stage/"
done
cp web/README.txt "$stage/README.txt"
zip_file="$build/$name-web.zip"
rm -f "$zip_file"
(cd "$build/package" && zip -q -r -X "$zip_file" "$name")

# What a player's browser fetches: each file as it is, and gzipped as a web
# server may send it.
total=0
gzipped=0
for file in "$stage"/*; do
  size=$(stat -c %s "$file")
  packed=$(gzip -9 -c "$file" | wc -c)
  total=$((total + size))
  gzipped=$((gzipped + packed))
  printf '%-22s %9d bytes, %9d gzipped\n' "$(basename "$file")" "$size" "$packed" >&2
done
printf '%-22s %9d bytes, %9d gzipped (zip: %d)\n' "all" "$total" "$gzipped" "$(stat -c %s "$zip_file")" >&2
echo "$zip_file"
