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

# Source package, version, and the files this build needs with their SHA-256.
SOURCES=(
  "freetype 2.12.1+dfsg-5+deb12u4
   freetype_2.12.1+dfsg-5+deb12u4.dsc eead829b4bc79107e8e79c4da006110dffe264f9d48b3ba02f76cf7e84b64389
   freetype_2.12.1+dfsg.orig.tar.xz 7dedb6b9adf331559daea614a83b8de42a753e685ec8e1c4bdb4529eb880b0d1
   freetype_2.12.1+dfsg.orig-ft2demos.tar.xz ce729d97f166a919a6a3037c949af01d5d6e1783614024d72683153f0bc5ef05
   freetype_2.12.1+dfsg.orig-ft2docs.tar.xz 6664a32e4eedaa89f45422c1150e32da46fd301c972cbfd19d2dcc6dd96f07d1
   freetype_2.12.1+dfsg-5+deb12u4.debian.tar.xz c625a97a78e4c74acd32e5b63b3973c9ea8a5c3d7b7f8f7c02def4421589c61b"
  "libjpeg-turbo 1:2.1.5-2
   libjpeg-turbo_2.1.5-2.dsc d718ead0dfbcbc8523665c02a7f7152e31039ded641d022868722623bb3b486d
   libjpeg-turbo_2.1.5.orig.tar.gz 254f3642b04e309fee775123133c6464181addc150499561020312ec61c1bf7c
   libjpeg-turbo_2.1.5-2.debian.tar.xz cdb2433c2f7101345c1ffa14efb943787c675b86354691a32490845fe4bc9237"
  "libsdl2 2.26.5+dfsg-1
   libsdl2_2.26.5+dfsg-1.dsc 95b9a18130d98164e7856eca8ac1a2eb65d822ac4872ef8862ceed2cb1662136
   libsdl2_2.26.5+dfsg.orig.tar.gz b3f2c822151804125d08db94c65852f711c2e5df2145a59da120748dc32eb9c3
   libsdl2_2.26.5+dfsg-1.debian.tar.xz 45a0454e18b1bea85960d090e691c39216442610e600a6aec7cc99de525f4158"
  "libsdl2-ttf 2.20.1+dfsg-2
   libsdl2-ttf_2.20.1+dfsg-2.dsc 46a54b380c3a81ddda5a62d31204621411276cafdebd97011b4ad2c0f085e64b
   libsdl2-ttf_2.20.1+dfsg.orig.tar.xz 89a5712f569ef3444b3388561eaa3cfa2ddfe2551c3146efac774a88c2e2e8af
   libsdl2-ttf_2.20.1+dfsg-2.debian.tar.xz 864ae48a3b65f08bd14544ad50718037555c49f775d2622035723dcc629ee546"
)
# Raise when the way the libraries are built changes, so that no old prefix is reused.
RECIPE=1

if [ -n "${ZF_WEB_DEPS_CACHE:-}" ]; then
  cache=$ZF_WEB_DEPS_CACHE
elif [ "$(id -u)" -eq 0 ]; then
  cache=/var/cache/zorbak-football-2
else
  cache=${XDG_CACHE_HOME:-$HOME/.cache}/zorbak-football-2
fi
emscripten_version=$(emcc --version | sed -n '1s/.* \([0-9][0-9.]*\) .*/\1/p')
key="web-emscripten$emscripten_version-r$RECIPE-$(printf '%s\n' "${SOURCES[@]}" | awk 'NF == 2 && !(length($2) == 64 && $2 ~ /^[0-9a-f]+$/) {
  sub(/^[0-9]+:/, "", $2); printf "%s-%s_", $1, $2 }' | tr -c 'A-Za-z0-9._+\n-' '_' | sed 's/_$//')"
prefix="$cache/$key"
if [ -f "$prefix/.complete" ]; then
  echo "Reusing the web libraries in $prefix" >&2
  echo "$prefix"
  exit 0
fi

mkdir -p "$cache"
# One build per prefix at a time; a second caller waits and then reuses it.
exec 9> "$prefix.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
start=$SECONDS

# --- Fetch: a private apt folder with deb-src lists; the machine's apt set-up stays as it is.
apt_dir="$work/apt"
mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$work/src"
cat > "$apt_dir/parts/sources.sources" <<'SOURCES_LIST'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES_LIST
apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/parts"
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
  -o APT::Sandbox::User=root)
apt-get "${apt_options[@]}" update > "$work/apt-update.log" 2>&1 || {
  cat "$work/apt-update.log" >&2
  echo "Could not read Debian's source package lists" >&2
  exit 1
}
failed=()
for entry in "${SOURCES[@]}"; do
  read -r package version _ <<< "$entry"
  (cd "$work/src" && apt-get "${apt_options[@]}" source --download-only "$package=$version") \
    > "$work/fetch-$package.log" 2>&1 || true
  while read -r file sum; do
    if [ ! -f "$work/src/$file" ]; then
      failed+=("$package $version: $file could not be fetched ($(grep -m1 -o 'Failed to fetch.*' \
        "$work/fetch-$package.log" || echo 'no reason given'))")
    elif [ "$(sha256sum "$work/src/$file" | cut -d' ' -f1)" != "$sum" ]; then
      failed+=("$package $version: $file does not match its pinned SHA-256")
    fi
  done < <(printf '%s\n' "$entry" | awk 'NF == 2 && length($2) == 64 && $2 ~ /^[0-9a-f]+$/')
done
if [ ${#failed[@]} -gt 0 ]; then
  printf 'Could not fetch a pinned source: %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "Fetched the sources in $((SECONDS - start)) s" >&2

unpack() {  # unpack PACKAGE-FILE-STEM DIR: with Debian's patches
  local dsc=("$work/src/$1"*.dsc)
  dpkg-source --no-check -x "${dsc[0]}" "$work/$2" > /dev/null
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
