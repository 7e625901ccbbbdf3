#!/usr/bin/env bash
# CPU that a vxview window of text boxes uses on a private X server while nothing is focused,
# against the same window while its number box is focused and blinks its caret: user + system
# time from /proc/PID/stat over SECONDS (20) each, as a share of one core.
# Usage: bench/caret_cpu.sh [VXVIEW]
set -euo pipefail
cd "$(dirname "$0")/.."
viewer=${1:-${BUILD_DIR:-build}/bin/vxview}
seconds=${SECONDS_MEASURED:-20}
source tests/e2e/private_display.sh
begin_display_test 1024x768x24

"$viewer" tests/e2e/textboxes.form >/dev/null 2>&1 &
app=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^textboxes$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "no window appeared" >&2; exit 1; }
read -r left top < <(xdotool getwindowgeometry "$window" |
  sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')

ticks() { awk '{ print $14 + $15 }' "/proc/$app/stat"; }
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
