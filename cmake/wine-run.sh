#!/bin/sh
# Runs a Windows program of the build under Wine: CTest's emulator for the test
# executables, both when it lists their cases and when it runs one.
#
# Now and then Wine gives up on a start before the program runs a line: it
# fails at once and prints nothing (CI saw one such start among 264 tests,
# "Failed 0.00 sec" with no output). A test program always prints something
# (GoogleTest's header at least), so a failure with no output at all is such a
# start and is tried again, at most twice, with a line on standard error. A
# program that printed anything keeps its status: a failing test still fails.
#   usage: wine-run.sh WINE PROGRAM [ARGUMENTS...]
wine=$1
shift
out=$(mktemp) && err=$(mktemp) || exit 1
trap 'rm -f "$out" "$err"' EXIT
tries=0
while :; do
  "$wine" "$@" > "$out" 2> "$err"
  status=$?
  tries=$((tries + 1))
  if [ "$status" -eq 0 ] || [ -s "$out" ] || [ -s "$err" ] || [ "$tries" -ge 3 ]; then
    break
  fi
  echo "wine-run.sh: Wine ended $1 with status $status before it printed anything; starting it again" >&2
done
cat "$out"
cat "$err" >&2
exit "$status"
