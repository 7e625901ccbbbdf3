#!/usr/bin/env bash
# One keystroke in a focused text box and one blink frame of its caret, each repainting what it
# marks dirty, against a full render of the small form holding the box: the median CPU time of
# each in microseconds, the ratios partial / full, and the blink's dirty area against the box's.
set -euo pipefail
cd "$(dirname "$0")/.."
"bench/medians.sh" textbox_bench |
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
"${BUILD_DIR:-build}/bin/textbox_bench" --benchmark_filter=CaretBlinkRepaint \
  --benchmark_format=csv 2>/dev/null |
  awk -F, '
    /^name,/ { for (i = 1; i <= NF; ++i) column[$i] = i; next }
    column["blink_area"] {
      blink = $column["blink_area"]; box = $column["box_area"]
      printf("caret blink dirty area %.1f units^2, box %.1f units^2, blink / box %5.3f\n",
             blink, box, box > 0 ? blink / box : 0)
    }'
