#!/usr/bin/env bash
# Renders the sprite-shaped tree in full and repaints only its time text after a tick: the
# median CPU time of each in microseconds and the ratio partial / full.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target render_bench >/dev/null
"$build/bin/render_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=csv 2>/dev/null |
  awk -F, '
    $1 ~ /_median"?$/ {
      name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
      us[name] = $4   # CPU time, already in microseconds: wall time varies with load
    }
    END {
      printf "full render        %8.1f us\n", us["FullRender"]
      printf "time text repaint  %8.1f us\n", us["TimeTextRepaint"]
      if (us["FullRender"] > 0) printf "partial / full     %8.2f\n", us["TimeTextRepaint"] / us["FullRender"]
    }'
