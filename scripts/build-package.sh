#!/usr/bin/env bash
# Builds the Debian package from the checkout's files (committed, and new ones
# not ignored; from an unpacked source tarball, without git, every file but the
# build folders), in a copy of the tree so that the source stays clean, and puts
# zorbak-football-2_<version>_<arch>.deb into OUTPUT (default: build-deb/).
#   usage: build-package.sh [OUTPUT]
# Prints the path of the .deb as its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test >&2
output=$(realpath -m "${1:-build-deb}")
version=$(dpkg-parsechangelog -S Version)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

tree="$work/zorbak-football-2-$version"
mkdir -p "$tree"
if command -v git > /dev/null && git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$tree"
else
  find . \( -path './build*' -o -path './.git' \) -prune -o -type f -print0 |
    xargs -0 cp --parents -t "$tree"
fi

(cd "$tree" && dpkg-buildpackage -b -us -uc -j"$(nproc)") > "$work/build.log" 2>&1 || {
  tail -n 60 "$work/build.log"
  echo "dpkg-buildpackage failed" >&2
  exit 1
}
mkdir -p "$output"
deb="zorbak-football-2_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb"
cp "$work/$deb" "$output/"
echo "$output/$deb"
