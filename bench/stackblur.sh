#!/usr/bin/env bash
# Stack blur on 512 × 512 for radii 1, 8 and 64: nanoseconds per pixel and the r = 64 / r = 1
# ratio, which should stay under 1.3 since the running sums make the cost radius-independent.
set -euo pipefail
"$(dirname "$0")/medians.sh" stackblur_bench |
  awk '
    {
      split($1, parts, "/"); radius = parts[2]
      ns = $2 * 1000 / (512 * 512)   # microseconds per run
      printf "r = %-3s %6.2f ns/pixel\n", radius, ns
      cost[radius] = ns
    }
    END {
      if (cost[1] > 0) printf "r = 64 / r = 1: %.2f\n", cost[64] / cost[1]
    }'
