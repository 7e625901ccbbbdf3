#!/usr/bin/env bash
# Renders the sprite-shaped tree in full and repaints only its time text after a tick, with the
# glow off (idle and running) and on (the last ten seconds): the median CPU time of each in
# microseconds and the ratio partial / full.
set -euo pipefail
"$(dirname "$0")/medians.sh" render_bench |
  awk '
    { us[$1] = $2 }
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
