#!/usr/bin/env bash
# CPU that a vxview window of text boxes uses on a private X server while nothing is focused,
# against the same window while its number box is focused and blinks its caret: user + system
# time from /proc/PID/stat over SECONDS (20) each, as a share of one core.
# Usage: bench/caret_cpu.sh [VXVIEW]
set -euo pipefail
cd "$(dirname "$0")/.."
viewer=${1:-${BUILD_DIR:-build}/bin/vxview}
seconds=${SECONDS_MEASURED:-20}
work=$(mktemp -d)
view=""
xvfb=""
trap 'kill $view $xvfb 2>/dev/null; rm -rf "$work"' EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

"$viewer" tests/e2e/textboxes.form >/dev/null 2>&1 &
view=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^textboxes$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "no window appeared" >&2; exit 1; }
read -r left top < <(xdotool getwindowgeometry "$window" |
  sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')

ticks() { awk '{ print $14 + $15 }' "/proc/$view/stat"; }
# Prints the share of one core used over the measured seconds, in percent.
measure() {
  local before after
  before=$(ticks)
  sleep "$seconds"
  after=$(ticks)
  awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
    'BEGIN { printf("%.2f", 100 * t / hz / s) }'
}

sleep 2  # the start-up's own work is not counted
unfocused=$(measure)
xdotool mousemove $((left + 56)) $((top + 113)) click 1 mousemove 900 700
sleep 1
blinking=$(measure)
echo "unfocused window   ${unfocused} % of one core over ${seconds} s"
echo "blinking caret     ${blinking} % of one core over ${seconds} s"
awk -v b="$blinking" -v u="$unfocused" \
  'BEGIN { printf("blinking - unfocused %.2f %% of one core (target: blinking under 1 %%)\n", b - u) }'
