#!/usr/bin/env bash
# Loading, styling and the first paint of a 40-control form against a bare form of 40
# rectangles of the same places and sizes: median CPU times in microseconds and the ratios
# controls / bare for each stage count.
set -euo pipefail
cd "$(dirname "$0")/.."
bench/medians.sh controls_form_bench |
  awk '
    { us[$1] = $2 }
    END {
      n = split("Load LoadStyle LoadStylePaint", stage, " ")
      for (i = 1; i <= n; ++i) {
        c = us["Controls" stage[i]]; b = us["Bare" stage[i]]
        printf("%-15s controls %9.1f us  bare %9.1f us  controls / bare %6.2f\n", stage[i], c, b,
               b > 0 ? c / b : 0)
      }
    }'
