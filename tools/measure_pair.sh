#!/usr/bin/env bash
# The CPU share of two builds of the game compared in the same run: each round
# plays both for the same time with tools/measure_game.sh, in turn (before, after,
# then after, before in the next round, so a load that rises or falls over the
# run weighs on both alike), and the medians of the rounds are compared. Others'
# work on the machine makes single figures noisy: the load average is shown.
#
#   bash tools/measure_pair.sh <before executable> <after executable> [seconds, default 20] [rounds, default 5]
#
# Each executable plays with the media beside it (a build folder's own copy).
# ZF_LIGHTS and ZF_HIQ pass on to measure_game.sh.
set -euo pipefail

before=${1:?usage: measure_pair.sh <before executable> <after executable> [seconds] [rounds]}
after=${2:?usage: measure_pair.sh <before executable> <after executable> [seconds] [rounds]}
seconds=${3:-20}
rounds=${4:-5}
measure="$(dirname "$0")/measure_game.sh"

share() {  # executable: the game's CPU share over one play, in per cent of one core
  bash "$measure" "$1" "$seconds" | awk '/^game CPU:/ {print $3}'
}

median() {
  sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}

echo "load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
before_shares=()
after_shares=()
for round in $(seq "$rounds"); do
  if [ $((round % 2)) -eq 1 ]; then
    b=$(share "$before"); a=$(share "$after")
  else
    a=$(share "$after"); b=$(share "$before")
  fi
  before_shares+=("$b")
  after_shares+=("$a")
  echo "round $round: before $b %, after $a % (load $(cut -d' ' -f1 /proc/loadavg))"
done
b=$(printf '%s\n' "${before_shares[@]}" | median)
a=$(printf '%s\n' "${after_shares[@]}" | median)
echo "median CPU share: before $b %, after $a %, after / before $(awk -v a="$a" -v b="$b" 'BEGIN {printf "%.2f", a / b}')"
