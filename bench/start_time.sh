#!/bin/sh
# The start of the program: the best of N runs (20 unless given), in milliseconds, of a command
# that does next to nothing, so that what is measured is loading and starting the program.
# Usage: bench/start_time.sh [RUNS] COMMAND [ARGS…]
set -eu
runs=20
case "${1:-}" in
  ''|*[!0-9]*) ;;
  *) runs=$1; shift ;;
esac
best=
for i in $(seq "$runs"); do
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 || true
  end=$(date +%s%N)
  took=$((end - start))
  if [ -z "$best" ] || [ "$took" -lt "$best" ]; then best=$took; fi
done
awk "BEGIN { printf \"%.1f\\n\", $best / 1000000 }"
