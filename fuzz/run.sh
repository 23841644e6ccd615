#!/usr/bin/env bash
# Runs one fuzz target for a bounded time on a working copy of its seed corpus and prints a
# one-line summary: inputs run, coverage, corpus size. Exits non-zero when the target
# crashed, leaked, hung or failed a check, after showing the end of its log.
# usage: fuzz/run.sh NAME BINARY SECONDS MAX_LEN SEEDS WORKDIR [libFuzzer flags...]
set -uo pipefail
name=$1 bin=$2 seconds=$3 maxlen=$4 seeds=$5 work=$6
shift 6

mkdir -p "$work/corpus" "$work/artifacts"
cp -n "$seeds"/* "$work/corpus/" 2>/dev/null || true
log="$work/fuzz.log"
"$bin" -max_total_time="$seconds" -max_len="$maxlen" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work/artifacts/" "$@" "$work/corpus" >"$log" 2>&1
status=$?
if [[ $status -ne 0 ]]; then
  echo "fuzz $name: FAILED (exit $status), log $log" >&2
  tail -n 40 "$log" >&2
  echo "fuzz $name: inputs kept in $work/artifacts/:" $(ls "$work/artifacts") >&2
  exit 1
fi
runs=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 runs in \2 s/p' "$log")
stats=$(grep -o 'cov: [0-9]* ft: [0-9]* corp: [0-9]*' "$log" | tail -n 1)
edges=$(sed -n 's/.*Loaded 1 modules *(\([0-9]*\) inline 8-bit counters).*/\1/p' "$log" | head -n 1)
echo "fuzz $name: $runs, $stats (of $edges edges instrumented)"
