#!/usr/bin/env bash
# Runs the raster benchmarks and prints, for each drawing, the canvas's time over plain
# QPainter's (target: at most 1.3). Repetitions run interleaved in random order and the
# medians are compared, so that load from other processes falls on both sides alike.
set -euo pipefail
cd "$(dirname "$0")/.."
bench=${1:-build/bin/raster_bench}
"$bench" --benchmark_format=csv --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true 2>/dev/null |
  awk -F, '
    $1 ~ /_median"?$/ {
      name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
      kind = (name ~ /^Ours/) ? "ours" : "plain"
      sub(/^(Ours|Plain)/, "", name)
      time[name, kind] = $4
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
