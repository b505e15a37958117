#!/usr/bin/env bash
# Writes the README.txt that the Windows zip and installer ship: windows/README.txt
# with the version filled in and Windows line ends, which Notepad of old needs
# (a source already checked out with them keeps one carriage return a line).
#   usage: windows-readme.sh VERSION SOURCE-FOLDER OUTPUT-FILE
set -euo pipefail
usage="usage: windows-readme.sh VERSION SOURCE-FOLDER OUTPUT-FILE"
version=${1:?$usage}
source=${2:?$usage}
output=${3:?$usage}
if ! [[ $version =~ ^[0-9]+(\.[0-9]+)*$ ]]; then
  echo "windows-readme.sh: '$version' is not a version" >&2
  exit 2
fi
sed -e "s/@VERSION@/$version/g" -e 's/\r*$/\r/' "$source/windows/README.txt" > "$output"
