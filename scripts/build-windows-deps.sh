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

# Source package, version, and the files this build needs with their SHA-256.
# Bookworm's fltk1.3 1.3.8 and the security update of zlib are no longer in the
# archive: FLTK comes from trixie's upstream tarball alone (Debian's patches are
# for its Linux packaging), zlib from bookworm's release.
SOURCES=(
  "zlib 1:1.2.13.dfsg-1
   zlib_1.2.13.dfsg-1.dsc 3fa1e6b2fc525062aa88207dda52fed8e045373c809d362fe8a2bfbf7cf515a8
   zlib_1.2.13.dfsg.orig.tar.bz2 71feb7947e3c00ef125f83b79a4e529bde31171e5babe48b391f06758d1ab0a1
   zlib_1.2.13.dfsg-1.debian.tar.xz f66cf3d4f2d7defcd4d1fd1fb0a11ee39f1e01b42ec7d059c9dc5c1695133c44"
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
  "fltk1.3 1.3.11-2
   fltk1.3_1.3.11.orig.tar.gz 92805abc84505e3e7e27aec775ab0754ecb4182fe2d8ff2a9d568ccdcb2811ac"
)
# Raise when the way the libraries are built changes, so that no old prefix is reused.
RECIPE=1

if [ -n "${ZF_WIN_DEPS_CACHE:-}" ]; then
  cache=$ZF_WIN_DEPS_CACHE
elif [ "$(id -u)" -eq 0 ]; then
  cache=/var/cache/zorbak-football-2
else
  cache=${XDG_CACHE_HOME:-$HOME/.cache}/zorbak-football-2
fi
key="win64-r$RECIPE-$(printf '%s\n' "${SOURCES[@]}" | awk 'NF == 2 && !(length($2) == 64 && $2 ~ /^[0-9a-f]+$/) {
  sub(/^[0-9]+:/, "", $2); printf "%s-%s_", $1, $2 }' | tr -c 'A-Za-z0-9._+\n-' '_' | sed 's/_$//')"
prefix="$cache/$key"
if [ -f "$prefix/.complete" ]; then
  echo "Reusing the Windows libraries in $prefix" >&2
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
cat > "$apt_dir/parts/sources.sources" <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates trixie
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
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
  # apt stops at the first missing file of a package but keeps those it got;
  # the checksums below decide whether they are all there.
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

# --- Unpack: with Debian's patches where the package is whole.
unpack() {  # unpack PACKAGE-FILE-STEM DIR
  local dsc
  dsc=$(ls "$work/src/$1"*.dsc 2>/dev/null | head -n 1 || true)
  if [ -n "$dsc" ]; then
    dpkg-source --no-check -x "$dsc" "$work/$2" > /dev/null
  else
    mkdir -p "$work/$2"
    tar -xf "$work/src/$1"*.orig.tar.* -C "$work/$2" --strip-components=1
  fi
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
