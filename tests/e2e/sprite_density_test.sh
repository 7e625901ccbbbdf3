#!/usr/bin/env bash
# The sprite on a screen of device pixel ratio 2 (QT_SCALE_FACTOR=2): its window keeps its
# logical place and size, so on the X server it is twice as large; the scene draws it at device
# resolution, so the ring's edge is as sharp as at ratio 1; its shape and its menu still answer
# a right press on the ring.
set -uo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT
app=""

fail() {
  echo "FAIL: $*"
  exit 1
}

source "$here/private_display.sh"
start_private_display 2560x1600x24
export QT_SCALE_FACTOR=2

"$program" --dry-run >"$work/run.log" 2>&1 &
app=$!
# The settings dialog comes first, twice as large too: its close button lets the sprite follow.
dialog=$(await_window '^fConfig$')
[ -n "$dialog" ] || fail "no settings dialog appeared"
geometry=$(xdotool getwindowgeometry "$dialog")
grep -q "Geometry: 740x916" <<<"$geometry" || fail "dialog not 740x916: $geometry"
xdotool mousemove --window "$dialog" 624 134 click 1
sprite=$(await_window '^yi$')
[ -n "$sprite" ] || fail "no sprite window appeared"

# Logical 405,243 and 479x195, in device pixels.
geometry=$(xdotool getwindowgeometry "$sprite")
grep -q "Position: 810,486" <<<"$geometry" || fail "sprite not at 810,486: $geometry"
grep -q "Geometry: 958x390" <<<"$geometry" || fail "sprite not 958x390: $geometry"

await_pixels "$sprite" "$here/ring_edge.py" "the ring's edge is not sharp"

# Without a compositor the shape keeps only the ring and the texts: inside the body, which
# lies between logical (29,51) and (327,139).
shape_inside "$sprite" 58 102 654 278
[ "$shape_width" -gt 400 ] || fail "the sprite's shape is a logical one left unscaled: $shape_width wide"

# A right press on the ring's track at logical (76,66) reaches the sprite and opens the menu.
before=$(xdotool search --onlyvisible --name '' | wc -l)
xdotool mousemove $((810 + 152)) $((486 + 132)) mousedown 3 sleep 0.1 mouseup 3
menu=0
for _ in $(seq 30); do
  [ "$(xdotool search --onlyvisible --name '' | wc -l)" -gt "$before" ] && menu=1 && break
  sleep 0.1
done
[ $menu -eq 1 ] || fail "a right press on the ring opened no menu"

# Up from no selection picks the last item, "退出".
xdotool key Up sleep 0.1 key Return
for _ in $(seq 50); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
kill -0 $app 2>/dev/null && fail "the program is still running after 退出"
wait $app
status=$?
app=""
[ $status -eq 0 ] || fail "the program exited with $status"
echo "sprite at ratio 2: a $shape_width-wide shape in a 958x390 window, $(cat "$work/check.txt"), menu opened"
