#!/bin/sh
# Runs one libFuzzer target for a bounded time from its seed corpus in the repository.
#   run-fuzzer.sh FUZZER SEED_DIR SECONDS
# New inputs go to a scratch folder, so the repository's seeds stay as they are; a finding is
# kept beside the build as crash-*, timeout-* or oom-* and fails the run.
set -eu

fuzzer=$1
seeds=$2
seconds=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
artifacts="$(dirname "$fuzzer")/findings/$(basename "$fuzzer")/"
mkdir -p "$artifacts"

"$fuzzer" "$scratch" "$seeds" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$artifacts" 2>"$scratch/log" || {
    status=$?
    cat "$scratch/log" >&2
    exit "$status"
}
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+.*DONE)' "$scratch/log" || true
