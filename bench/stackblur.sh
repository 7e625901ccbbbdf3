#!/usr/bin/env bash
# Stack blur on 512 × 512 for radii 1, 8 and 64: nanoseconds per pixel and the r = 64 / r = 1
# ratio, which should stay under 1.3 since the running sums make the cost radius-independent.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target stackblur_bench >/dev/null
"$build/bin/stackblur_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=csv 2>/dev/null |
  awk -F, '
    $1 ~ /_median"?$/ {
      name = $1; gsub(/"/, "", name); split(name, parts, "/"); radius = parts[2]; sub(/_median$/, "", radius)
      ns = $4 * 1000 / (512 * 512)   # CPU time in microseconds: wall time varies with load
      printf "r = %-3s %6.2f ns/pixel\n", radius, ns
      cost[radius] = ns
    }
    END {
      if (cost[1] > 0) printf "r = 64 / r = 1: %.2f\n", cost[64] / cost[1]
    }'
