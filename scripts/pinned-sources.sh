# shellcheck shell=bash
# The libraries the Windows and browser builds make from Debian's own source
# packages: each pinned by version and by the SHA-256 of every file, stated once
# here, and the steps that find a built prefix, fetch the sources and unpack them.
# Sourced by scripts/build-windows-deps.sh and scripts/build-web-deps.sh.

# Source package, version, and the files a build needs with their SHA-256.
# Bookworm's fltk1.3 1.3.8 and the security update of zlib are no longer in the
# archive: FLTK comes from trixie's upstream tarball alone (Debian's patches are
# for its Linux packaging), zlib from bookworm's release.
declare -A PINNED_SOURCE=(
  [zlib]="zlib 1:1.2.13.dfsg-1
   zlib_1.2.13.dfsg-1.dsc 3fa1e6b2fc525062aa88207dda52fed8e045373c809d362fe8a2bfbf7cf515a8
   zlib_1.2.13.dfsg.orig.tar.bz2 71feb7947e3c00ef125f83b79a4e529bde31171e5babe48b391f06758d1ab0a1
   zlib_1.2.13.dfsg-1.debian.tar.xz f66cf3d4f2d7defcd4d1fd1fb0a11ee39f1e01b42ec7d059c9dc5c1695133c44"
  [freetype]="freetype 2.12.1+dfsg-5+deb12u4
   freetype_2.12.1+dfsg-5+deb12u4.dsc eead829b4bc79107e8e79c4da006110dffe264f9d48b3ba02f76cf7e84b64389
   freetype_2.12.1+dfsg.orig.tar.xz 7dedb6b9adf331559daea614a83b8de42a753e685ec8e1c4bdb4529eb880b0d1
   freetype_2.12.1+dfsg.orig-ft2demos.tar.xz ce729d97f166a919a6a3037c949af01d5d6e1783614024d72683153f0bc5ef05
   freetype_2.12.1+dfsg.orig-ft2docs.tar.xz 6664a32e4eedaa89f45422c1150e32da46fd301c972cbfd19d2dcc6dd96f07d1
   freetype_2.12.1+dfsg-5+deb12u4.debian.tar.xz c625a97a78e4c74acd32e5b63b3973c9ea8a5c3d7b7f8f7c02def4421589c61b"
  [libjpeg-turbo]="libjpeg-turbo 1:2.1.5-2
   libjpeg-turbo_2.1.5-2.dsc d718ead0dfbcbc8523665c02a7f7152e31039ded641d022868722623bb3b486d
   libjpeg-turbo_2.1.5.orig.tar.gz 254f3642b04e309fee775123133c6464181addc150499561020312ec61c1bf7c
   libjpeg-turbo_2.1.5-2.debian.tar.xz cdb2433c2f7101345c1ffa14efb943787c675b86354691a32490845fe4bc9237"
  [libsdl2]="libsdl2 2.26.5+dfsg-1
   libsdl2_2.26.5+dfsg-1.dsc 95b9a18130d98164e7856eca8ac1a2eb65d822ac4872ef8862ceed2cb1662136
   libsdl2_2.26.5+dfsg.orig.tar.gz b3f2c822151804125d08db94c65852f711c2e5df2145a59da120748dc32eb9c3
   libsdl2_2.26.5+dfsg-1.debian.tar.xz 45a0454e18b1bea85960d090e691c39216442610e600a6aec7cc99de525f4158"
  [libsdl2-ttf]="libsdl2-ttf 2.20.1+dfsg-2
   libsdl2-ttf_2.20.1+dfsg-2.dsc 46a54b380c3a81ddda5a62d31204621411276cafdebd97011b4ad2c0f085e64b
   libsdl2-ttf_2.20.1+dfsg.orig.tar.xz 89a5712f569ef3444b3388561eaa3cfa2ddfe2551c3146efac774a88c2e2e8af
   libsdl2-ttf_2.20.1+dfsg-2.debian.tar.xz 864ae48a3b65f08bd14544ad50718037555c49f775d2622035723dcc629ee546"
  [fltk1.3]="fltk1.3 1.3.11-2
   fltk1.3_1.3.11.orig.tar.gz 92805abc84505e3e7e27aec775ab0754ecb4182fe2d8ff2a9d568ccdcb2811ac"
)

# The entries of the packages named, in that order, into the array SOURCES.
pick_sources() {  # package...
  SOURCES=()
  local package
  for package in "$@"; do
    SOURCES+=("${PINNED_SOURCE[$package]}")
  done
}

# The folder the built prefixes live in, outside the checkout so that another
# clone on the same machine finds them: the variable's folder when it is set,
# else /var/cache/zorbak-football-2 for root, else the user's cache.
deps_cache_folder() {  # override
  if [ -n "$1" ]; then
    echo "$1"
  elif [ "$(id -u)" -eq 0 ]; then
    echo /var/cache/zorbak-football-2
  else
    echo "${XDG_CACHE_HOME:-$HOME/.cache}/zorbak-football-2"
  fi
}

# The part of a prefix's name that says which sources went into it:
# package-version pairs, the epoch left out.
sources_key() {
  printf '%s\n' "${SOURCES[@]}" | awk 'NF == 2 && !(length($2) == 64 && $2 ~ /^[0-9a-f]+$/) {
    sub(/^[0-9]+:/, "", $2); printf "%s-%s_", $1, $2 }' | tr -c 'A-Za-z0-9._+\n-' '_' | sed 's/_$//'
}

# Fetches every file of SOURCES into WORK/src through a private apt folder with
# deb-src lists of the suites named (the machine's apt set-up stays as it is),
# and checks each against its pinned SHA-256. Exits with the reasons on failure.
fetch_sources() {  # work suites...
  local work=$1
  shift
  local apt_dir="$work/apt"
  mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$work/src"
  cat > "$apt_dir/parts/sources.sources" <<SOURCES_LIST
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $*
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES_LIST
  local apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/parts"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
    -o APT::Sandbox::User=root)
  apt-get "${apt_options[@]}" update > "$work/apt-update.log" 2>&1 || {
    cat "$work/apt-update.log" >&2
    echo "Could not read Debian's source package lists" >&2
    exit 1
  }
  local failed=() entry package version file sum
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
}

# Unpacks a fetched package into WORK/DIR: with Debian's patches where the
# package is whole, else its upstream tarball alone.
unpack_source() {  # work package-file-stem dir
  local dsc
  dsc=$(ls "$1/src/$2"*.dsc 2>/dev/null | head -n 1 || true)
  if [ -n "$dsc" ]; then
    dpkg-source --no-check -x "$dsc" "$1/$3" > /dev/null
  else
    mkdir -p "$1/$3"
    tar -xf "$1/src/$2"*.orig.tar.* -C "$1/$3" --strip-components=1
  fi
}

# Ends the script, printing the prefix, when the prefix is built already. Else
# takes the prefix's lock (one build per prefix at a time: a second caller waits
# here and then reuses what the first built) and returns holding it.
take_prefix() {  # prefix libraries-name
  if [ -f "$1/.complete" ]; then
    echo "Reusing the $2 libraries in $1" >&2
    echo "$1"
    exit 0
  fi
  mkdir -p "$(dirname "$1")"
  exec 9> "$1.lock"
  flock 9
  if [ -f "$1/.complete" ]; then
    echo "$1"
    exit 0
  fi
}
