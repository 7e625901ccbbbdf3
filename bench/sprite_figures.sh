#!/usr/bin/env bash
# The running sprite's figures on a private X server: start-up to the first presented frame
# and resident memory (medians of 5 starts), CPU over an idle spell, CPU while the warning
# flashes; each beside a bare form of the same size that presents one blank frame.
# IDLE_SECONDS (30) and FLASH_SECONDS (10) shorten the spells.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
idle=${IDLE_SECONDS:-30}
flash=${FLASH_SECONDS:-10}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target sprite_figures >/dev/null
figures="$build/bin/sprite_figures"

source tests/e2e/private_display.sh
begin_display_test 1280x800x24

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

startup() {
  local kind=$1 i
  for i in 1 2 3 4 5; do
    LC_LAUNCH_NS=$(date +%s%N) "$figures" startup "$kind"
  done >"$work/$kind"
}
startup sprite
startup bare
sprite_ms=$(cut -d' ' -f1 "$work/sprite" | median)
bare_ms=$(cut -d' ' -f1 "$work/bare" | median)
sprite_mb=$(cut -d' ' -f2 "$work/sprite" | median)
bare_mb=$(cut -d' ' -f2 "$work/bare" | median)
idle_sprite=$("$figures" idle sprite "$idle")
idle_bare=$("$figures" idle bare "$idle")
flashing=$("$figures" flashing "$flash")

awk -v sm="$sprite_ms" -v bm="$bare_ms" -v smb="$sprite_mb" -v bmb="$bare_mb" \
  -v is="$idle_sprite" -v ib="$idle_bare" -v idle="$idle" -v fl="$flashing" -v flash="$flash" '
  BEGIN {
    printf("start to first frame   sprite %7.1f ms   bare form %7.1f ms   ratio %.2f   (target < 150 ms)\n",
           sm, bm, bm > 0 ? sm / bm : 0)
    printf("resident after start   sprite %7.1f MB   bare form %7.1f MB   ratio %.2f   (target < 40 MB)\n",
           smb, bmb, bmb > 0 ? smb / bmb : 0)
    printf("CPU over %d s idle     sprite %7.1f ms   bare form %7.1f ms                (target < 50 ms per 30 s)\n",
           idle, is, ib)
    printf("CPU while flashing     %5.2f %% of one core (%.1f ms over %d s)          (target < 3 %%)\n",
           fl / (flash * 10), fl, flash)
  }'
