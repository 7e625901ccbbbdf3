#!/usr/bin/env bash
# One keystroke in a focused text box and one blink frame of its caret, each repainting what it
# marks dirty, against a full render of the small form holding the box: the median CPU time of
# each in microseconds, the ratios partial / full, and each frame's dirty area against the box's.
set -euo pipefail
cd "$(dirname "$0")/.."
bench/medians.sh textbox_bench |
  awk '
    { us[$1] = $2 }
    END {
      full = us["FullRender"]
      printf("full render %8.1f us\n", full)
      printf("keystroke repaint %8.1f us  / full %5.3f\n", us["KeystrokeRepaint"],
             full > 0 ? us["KeystrokeRepaint"] / full : 0)
      printf("caret blink frame %8.1f us  / full %5.3f\n", us["CaretBlinkRepaint"],
             full > 0 ? us["CaretBlinkRepaint"] / full : 0)
    }'
"${BUILD_DIR:-build}/bin/textbox_bench" --benchmark_format=csv 2>/dev/null |
  awk -F, '
    { gsub(/"/, "") }
    /^name,/ { for (i = 1; i <= NF; ++i) column[$i] = i; next }
    column["dirty_area"] {
      dirty = $column["dirty_area"]; box = $column["box_area"]
      printf("%-18s dirty area %8.1f units^2, focused box %7.1f units^2, dirty / box %7.3f\n",
             $1, dirty, box, box > 0 ? dirty / box : 0)
    }'
