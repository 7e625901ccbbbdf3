#!/usr/bin/env bash
# Press on a combo box to its popup window's first presented frame, beside a bare transparent
# window of the popup's size, on a private X server: medians of REPETITIONS (5) runs of the
# benchmark in one process each, and their ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/e2e/private_display.sh
begin_display_test 1280x800x24
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DLC_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target combo_bench >/dev/null
# The times are wall times taken by the benchmark itself: the third CSV column.
"$build/bin/combo_bench" --benchmark_repetitions="${REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
  awk -F, '$1 ~ /_median"?$/ { name = $1; gsub(/"/, "", name); print name, $3 }' >"$work/medians"
combo=$(awk '$1 ~ /ComboPressToPopupFrame/ { print $2 }' "$work/medians")
bare=$(awk '$1 ~ /BareWindowFrame/ { print $2 }' "$work/medians")
awk -v c="$combo" -v b="$bare" 'BEGIN {
  printf("press to popup frame   combo %7.2f ms   bare window %7.2f ms   ratio %.2f\n",
         c, b, b > 0 ? c / b : 0)
}'
