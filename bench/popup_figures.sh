#!/usr/bin/env bash
# The popup's figures on a private X server, medians of RUNS (7) runs each: the time from the
# open request to the popup window's first presented frame, and the resident memory the open
# popup added; beside them a bare transparent form of the same size that presents one frame,
# measured the same way in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
runs=${RUNS:-7}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target popup_driver >/dev/null
driver="$build/bin/popup_driver"

source tests/e2e/private_display.sh
begin_display_test 1280x800x24

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Alternating the kinds spreads any drift of the machine's load over both.
for _ in $(seq "$runs"); do
  "$driver" figures popup >>"$work/popup"
  "$driver" figures bare >>"$work/bare"
done
popup_ms=$(cut -d' ' -f1 "$work/popup" | median)
bare_ms=$(cut -d' ' -f1 "$work/bare" | median)
popup_mb=$(cut -d' ' -f2 "$work/popup" | median)
bare_mb=$(cut -d' ' -f2 "$work/bare" | median)
awk -v pm="$popup_ms" -v bm="$bare_ms" -v pmb="$popup_mb" -v bmb="$bare_mb" -v runs="$runs" '
  BEGIN {
    printf("open request to first frame   popup %7.2f ms   bare window %7.2f ms   ratio %.2f   (median of %d)\n",
           pm, bm, bm > 0 ? pm / bm : 0, runs)
    printf("resident memory added         popup %7.2f MB   bare window %7.2f MB   (median of %d)\n",
           pmb, bmb, runs)
  }'
