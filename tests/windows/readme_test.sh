#!/usr/bin/env bash
# The README.txt that the Windows packages ship, made from a source folder with
# Unix line ends and from one checked out with Windows line ends: every line ends
# in exactly one carriage return and a line feed, and the text names the version
# where the source has its placeholder.
#   usage: readme_test.sh PROJECT-VERSION SOURCE-FOLDER
set -u
version=${1:?usage: readme_test.sh PROJECT-VERSION SOURCE-FOLDER}
source=${2:?usage: readme_test.sh PROJECT-VERSION SOURCE-FOLDER}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() {
  echo "FAIL: $*"
  status=1
}

for ends in unix windows; do
  mkdir -p "$work/$ends/windows"
  if [ "$ends" = unix ]; then
    tr -d '\r' < "$source/windows/README.txt" > "$work/$ends/windows/README.txt"
  else
    sed 's/\r*$/\r/' "$source/windows/README.txt" > "$work/$ends/windows/README.txt"
  fi
  shipped="$work/$ends/README.txt"
  bash "$source/scripts/windows-readme.sh" "$version" "$work/$ends" "$shipped" || fail "$ends: not written"
  lines=$(wc -l < "$shipped")
  [ "$lines" -gt 0 ] && [ "$(grep -c $'[^\r]\r$\|^\r$' "$shipped")" -eq "$lines" ] ||
    fail "$ends: not every line ends in one carriage return and a line feed"
  grep -q "^Version $version"$'\r$' "$shipped" || fail "$ends: no line 'Version $version'"
  ! grep -q '@VERSION@' "$shipped" || fail "$ends: the version's placeholder is left"
done
bash "$source/scripts/windows-readme.sh" "1.0; rm -rf x" "$source" "$work/bad.txt" 2> /dev/null &&
  fail "a version that is not one was taken"
[ $status -eq 0 ] && echo "the Windows README names $version in Windows lines"
exit $status
