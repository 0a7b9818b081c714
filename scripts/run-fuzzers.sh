#!/usr/bin/env bash
# Runs every fuzz target for a bounded time over its seed corpus; fails on any finding.
# Usage: run-fuzzers.sh BUILD_FUZZ_DIR
set -euo pipefail
dir=$1
root="$(cd "$(dirname "$0")/.." && pwd)"
# Short enough for the whole suite to stay near 12 minutes on two cores; longer runs by hand.
declare -A seconds=([fuzz_decode_wk1]=10 [fuzz_text_range]=10 [fuzz_plot_run]=20)
status=0
for target in "${!seconds[@]}"; do
  binary="$dir/$target"
  if [ ! -x "$binary" ]; then echo "$target: not built"; status=1; continue; fi
  work=$(mktemp -d)
  cp -r "$root/fuzz/corpus/${target#fuzz_}/." "$work/" 2>/dev/null || true
  echo "== $target for ${seconds[$target]} s"
  if ! "$binary" -max_total_time="${seconds[$target]}" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$work/" "$work" 2>"$work.log" ||
     grep -q "runtime error" "$work.log"; then
    tail -n 40 "$work.log"
    echo "$target: FAILED (artifacts in $work)"
    status=1
  else
    grep -E "^#[0-9]+.*DONE|Done [0-9]+ runs" "$work.log" | tail -n 1 || true
    echo "$target: clean"
  fi
done
exit $status
