#!/usr/bin/env bash
# Renders the sprite-shaped tree in full and repaints only its time text after a tick, with the
# glow off (idle and running) and on (the last ten seconds): the median CPU time of each in
# microseconds and the ratio partial / full.
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
      for (glow = 0; glow <= 1; ++glow) {
        full = us["FullRender/" glow]; part = us["TimeTextRepaint/" glow]
        ratio = full > 0 ? part / full : 0
        printf("glow %-3s  full render %8.1f us  time text repaint %8.1f us  partial / full %5.3f\n",
               glow ? "on" : "off", full, part, ratio)
      }
      flash = us["FlashRepaint"]
      printf("flashing time under its glow, one frame %8.1f us  / full render with glow %5.3f\n",
             flash, us["FullRender/1"] > 0 ? flash / us["FullRender/1"] : 0)
    }'
