#!/usr/bin/env bash
# Checks a built package: lintian (no error and no warning; info tags are
# shown), the menu entry and the AppStream data as installed, then the game
# played from the unpacked package by a user who cannot write it.
#   usage: check-package.sh PATH-OF-.deb
set -euo pipefail
deb=$(realpath "${1:?usage: check-package.sh PATH-OF-.deb}")
cd "$(dirname "$0")/.."
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

lintian --info --display-info --fail-on error,warning "$deb"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate-tree --no-net "$root"
echo "lintian, desktop-file-validate and appstreamcli: clean"
bash tests/e2e/package_e2e.sh "$deb" media
