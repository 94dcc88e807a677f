#!/usr/bin/env bash
# Runs every benchmark of every program in the given folder once, at its smallest size: a check
# that they still work, not a measurement.
set -euo pipefail
folder=$1
export QT_QPA_PLATFORM=offscreen
for program in "$folder"/bench_*; do
  [[ -f $program && -x $program ]] || continue
  # Sizes ascend within a family, so the first name listed of each family is its smallest.
  names=$("$program" --benchmark_list_tests 2>/dev/null | awk -F/ '!seen[$1]++' \
    | sed 's/[][().*+?{}$^|\\]/\\&/g' | paste -sd'|')
  echo "== $(basename "$program")"
  "$program" --benchmark_filter="^($names)\$" --benchmark_min_time=0 2>/dev/null
done
