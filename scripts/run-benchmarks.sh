#!/usr/bin/env bash
# Runs every benchmark program in the given folder and prints their figures.
set -euo pipefail
dir=$1
found=0
for program in "$dir"/bench_*; do
  [ -f "$program" ] && [ -x "$program" ] || continue
  found=1
  echo "== $(basename "$program")"
  "$program" --benchmark_counters_tabular=true
done
[ "$found" -eq 1 ] || { echo "no benchmark programs in $dir" >&2; exit 1; }
