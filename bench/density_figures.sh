#!/usr/bin/env bash
# The sprite's start-up to its first presented frame (median of 5 starts, as sprite_figures.sh
# measures it) on a screen of device pixel ratio 2 and 1.5, each beside ratio 1 in the same run
# on the same private X server. The screen is large enough for the sprite's place at every ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target sprite_figures >/dev/null
figures="$build/bin/sprite_figures"

source tests/e2e/private_display.sh
begin_display_test 2560x1600x24

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Alternating the ratios spreads any drift of the machine's load over both.
for _ in 1 2 3 4 5; do
  for ratio in 1 2 1.5; do
    QT_SCALE_FACTOR=$ratio LC_LAUNCH_NS=$(date +%s%N) "$figures" startup sprite >>"$work/$ratio"
  done
done
ms() { cut -d' ' -f1 "$work/$1" | median; }
mb() { cut -d' ' -f2 "$work/$1" | median; }

awk -v m1="$(ms 1)" -v m2="$(ms 2)" -v m15="$(ms 1.5)" \
  -v r1="$(mb 1)" -v r2="$(mb 2)" -v r15="$(mb 1.5)" '
  BEGIN {
    printf("start to first frame   ratio 1 %7.1f ms   ratio 2 %7.1f ms (x%.2f)   ratio 1.5 %7.1f ms (x%.2f)\n",
           m1, m2, m1 > 0 ? m2 / m1 : 0, m15, m1 > 0 ? m15 / m1 : 0)
    printf("resident after start   ratio 1 %7.1f MB   ratio 2 %7.1f MB (x%.2f)   ratio 1.5 %7.1f MB (x%.2f)\n",
           r1, r2, r1 > 0 ? r2 / r1 : 0, r15, r1 > 0 ? r15 / r1 : 0)
  }'
