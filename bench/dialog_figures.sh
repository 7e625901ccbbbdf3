#!/usr/bin/env bash
# The dialogs' figures on a private X server, the measured and the baseline runs alternated
# and medians taken over RUNS (7) runs: the program's start to the settings dialog's first
# presented frame beside a bare transparent form of the same size presenting one blank frame;
# resident memory with the settings dialog open and after it closed, and its growth over
# CYCLES (10) open-close cycles of each dialog; CPU of an idle open settings dialog, of the
# idle sprite and of the bare form over IDLE_SECONDS (30), medians of IDLE_RUNS (3).
# BUILD_DIR picks the build.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
runs=${RUNS:-7}
cycles=${CYCLES:-10}
idle=${IDLE_SECONDS:-30}
idle_runs=${IDLE_RUNS:-3}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target dialog_figures >/dev/null
figures="$build/bin/dialog_figures"

work=$(mktemp -d)
xvfb=
trap '[ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
fail() {
  echo "dialog_figures.sh: $*" >&2
  exit 1
}
# shellcheck source=../tests/e2e/private_display.sh
. tests/e2e/private_display.sh
start_private_display 1280x800x24

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# The median of field $1 of file $2.
field() { cut -d' ' -f"$1" "$work/$2" | median; }

for _ in $(seq "$runs"); do
  LC_LAUNCH_NS=$(date +%s%N) "$figures" startup settings >>"$work/startup_settings"
  LC_LAUNCH_NS=$(date +%s%N) "$figures" startup bare >>"$work/startup_bare"
  "$figures" memory "$cycles" >>"$work/memory"
done
for _ in $(seq "$idle_runs"); do
  for kind in settings sprite bare; do "$figures" idle "$kind" "$idle" >>"$work/idle_$kind"; done
done

awk -v sm="$(field 1 startup_settings)" -v bm="$(field 1 startup_bare)" \
  -v smb="$(field 2 startup_settings)" -v bmb="$(field 2 startup_bare)" \
  -v alone="$(field 1 memory)" -v open="$(field 2 memory)" -v closed="$(field 3 memory)" \
  -v sr="$(field 4 memory)" -v sh="$(field 5 memory)" \
  -v ar="$(field 6 memory)" -v ah="$(field 7 memory)" \
  -v is="$(field 1 idle_settings)" -v isp="$(field 1 idle_sprite)" -v ib="$(field 1 idle_bare)" \
  -v runs="$runs" -v cycles="$cycles" -v idle="$idle" -v iruns="$idle_runs" '
  function per30(ms) { return ms * 30 / idle }
  BEGIN {
    printf("start to first frame      settings %7.1f ms   bare form %7.1f ms   ratio %.2f   (median of %d)\n",
           sm, bm, bm > 0 ? sm / bm : 0, runs)
    printf("resident at first frame   settings %7.1f MB   bare form %7.1f MB   ratio %.2f\n",
           smb, bmb, bmb > 0 ? smb / bmb : 0)
    printf("resident beside sprite    sprite alone %.1f MB   settings open %.1f MB   closed %.1f MB   (target < 40 MB open)\n",
           alone, open, closed)
    printf("growth per open-close     settings %6.1f KB resident %6.1f KB heap   about %6.1f KB resident %6.1f KB heap   (over %d cycles, target 0)\n",
           sr, sh, ar, ah, cycles)
    printf("CPU per 30 s idle         settings %7.1f ms   sprite %7.1f ms   bare form %7.1f ms   (over %d s, median of %d)\n",
           per30(is), per30(isp), per30(ib), idle, iruns)
  }'
