#!/usr/bin/env bash
# Wine's wrapper for the Windows tests starts again only a start that failed
# without a word, at most three tries in all, and keeps every other status.
set -euo pipefail
run="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# A stand-in for Wine: fails silently on its first starts, as many as the file
# "silent" says, then prints which start it is and ends with the status asked.
cat >"$dir/wine" <<'STANDIN'
#!/bin/sh
here=$(dirname "$0")
start=$(($(cat "$here/starts") + 1))
echo "$start" >"$here/starts"
[ "$start" -gt "$(cat "$here/silent")" ] || exit 5
echo "start $start"
exit "$1"
STANDIN
chmod +x "$dir/wine"
fail() { echo "FAIL: $*" >&2; exit 1; }
check() {  # silent starts, program status, expected status, expected output
  echo "$1" >"$dir/silent"
  echo 0 >"$dir/starts"
  local status=0 output
  output=$(sh "$run" "$dir/wine" "$2" 2>/dev/null) || status=$?
  [ "$status" = "$3" ] && [ "$output" = "$4" ] || fail "$*: status $status, output '$output'"
}
check 0 0 0 "start 1"
check 2 0 0 "start 3"   # two silent failures, then the program runs
check 0 3 3 "start 1"   # a test that fails after printing is not run again
check 3 0 5 ""          # a third silent failure is reported as it came
echo "wine_run_test: all cases passed"
