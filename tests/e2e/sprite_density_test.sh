#!/usr/bin/env bash
# The sprite on a screen of device pixel ratio 2 (QT_SCALE_FACTOR=2): its window keeps its
# logical place and size, so on the X server it is twice as large; the scene draws it at device
# resolution, so the ring's edge is as sharp as at ratio 1; its shape and its menu still answer
# a right press on the ring.
set -uo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)

source "$here/private_display.sh"
begin_display_test 2560x1600x24
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
right_press_opens_menu $((810 + 152)) $((486 + 132)) "the ring"

quit_from_menu
echo "sprite at ratio 2: a $shape_width-wide shape in a 958x390 window, $(cat "$work/check.txt"), menu opened"
