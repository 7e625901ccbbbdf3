#!/usr/bin/env bash
# Builds a benchmark program and prints one line "name cpu_time" per benchmark: the median of
# its repetitions, in the benchmark's own time unit (CPU time: wall time varies with load).
# Usage: bench/medians.sh TARGET [benchmark options...]; REPETITIONS (5) sets the repetitions.
set -euo pipefail
cd "$(dirname "$0")/.."
target=$1
shift
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target "$target" >/dev/null
"$build/bin/$target" --benchmark_repetitions="${REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true --benchmark_format=csv "$@" 2>/dev/null |
  awk -F, '
    $1 ~ /_median"?$/ {
      name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
      print name, $4
    }'
