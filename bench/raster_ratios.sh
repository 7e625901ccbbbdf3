#!/usr/bin/env bash
# Runs the raster benchmarks and prints, for each drawing, the canvas's time over plain
# QPainter's (target: at most 1.3). Repetitions run interleaved in random order and the
# medians are compared, so that load from other processes falls on both sides alike.
set -euo pipefail
REPETITIONS=9 "$(dirname "$0")/medians.sh" raster_bench --benchmark_enable_random_interleaving=true |
  awk '
    {
      name = $1
      kind = (name ~ /^Ours/) ? "ours" : "plain"
      sub(/^(Ours|Plain)/, "", name)
      time[name, kind] = $2
      if (!(name in seen)) { seen[name] = 1; order[++count] = name }
    }
    END {
      worst = 0
      printf "%-20s %12s %12s %7s\n", "drawing", "ours (ns)", "QPainter", "ratio"
      for (i = 1; i <= count; ++i) {
        n = order[i]; r = time[n, "ours"] / time[n, "plain"]
        if (r > worst) worst = r
        printf "%-20s %12.0f %12.0f %7.2f\n", n, time[n, "ours"], time[n, "plain"], r
      }
      printf "worst ratio %.2f (target 1.3)\n", worst
    }'
