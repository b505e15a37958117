#!/usr/bin/env bash
# Runs every fuzzing harness for a bounded time and fails on any finding (a crash,
# a sanitizer report, an input over the memory limit or one that stalls).
#   usage: fuzz/run.sh [SECONDS-EACH] [FUZZ-BUILD-DIR] [KIND...]
#   (defaults: 30, build-fuzz, every kind: a3f wav jpeg bmp ini pads scores replay)
# Seeds: the committed fuzz/corpus/<kind>/ and the shipped media of that kind. New
# inputs and any finding go to a scratch folder, never into the source tree.
set -uo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH="${1:-30}"
BUILD="${2:-build-fuzz}"
KINDS=("${@:3}")
if [ ${#KINDS[@]} -eq 0 ]; then
  KINDS=(a3f wav jpeg bmp ini pads scores replay)
fi
WORK=$(mktemp -d /tmp/zf-fuzz-XXXXXX)
trap 'rm -rf "$WORK"' EXIT

media_pattern() {
  case "$1" in
    a3f) echo "*.a3f" ;;
    wav) echo "*.wav" ;;
    jpeg) echo "*.jpg" ;;
    bmp) echo "*.bmp" ;;
    ini) echo "game.ini" ;;
    pads) echo "gamecontrollerdb.txt" ;;
    scores) echo "scores" ;;
    replay) echo "*.replay" ;;
  esac
}

status=0
for kind in "${KINDS[@]}"; do
  fuzzer="$BUILD/fuzz/${kind}_fuzz"
  if [ ! -x "$fuzzer" ]; then
    echo "fuzz: $fuzzer is missing (build it with -DZF_FUZZ=ON)" >&2
    exit 1
  fi
  mkdir -p "$WORK/$kind/new" "$WORK/$kind/media" "$WORK/$kind/findings"
  find media -maxdepth 1 -name "$(media_pattern "$kind")" -exec cp {} "$WORK/$kind/media/" \;
  "$fuzzer" -max_total_time="$SECONDS_EACH" -rss_limit_mb=512 -malloc_limit_mb=512 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$WORK/$kind/findings/" \
    "$WORK/$kind/new" "fuzz/corpus/$kind" "$WORK/$kind/media" > "$WORK/$kind/log" 2>&1
  result=$?
  executions=$(awk '/stat::number_of_executed_units:/ {print $2}' "$WORK/$kind/log")
  if [ "$result" -ne 0 ] || [ -n "$(ls -A "$WORK/$kind/findings")" ]; then
    echo "fuzz: ${kind}_fuzz FOUND A PROBLEM after ${executions:-?} executions:" >&2
    grep -E "ERROR|SUMMARY|runtime error|out-of-memory|Test unit written" "$WORK/$kind/log" >&2
    mkdir -p "$BUILD/fuzz-findings"
    cp "$WORK/$kind/findings/"* "$BUILD/fuzz-findings/" 2> /dev/null
    status=1
  else
    echo "fuzz: ${kind}_fuzz: ${executions} executions in ${SECONDS_EACH} s, no finding"
  fi
done
exit $status
