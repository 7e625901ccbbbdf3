#!/usr/bin/env bash
# Shows a small form with vxview on a private X server: the window has the form's place and
# size and shows its red bar; a click on the bar is traced as OnClick; closing the window ends
# the viewer with 0.
set -uo pipefail
viewer=$1
here=$(cd "$(dirname "$0")" && pwd)

source "$here/private_display.sh"
begin_display_test 1024x768x24

# The form class is the program's own kind, unknown to the viewer; the handler name cannot be
# bound either, yet the click is traced.
cat >"$work/form.txt" <<'FORM'
object ViewForm: TViewForm
  Left = 120
  Top = 90
  ClientWidth = 200
  ClientHeight = 120
  Caption = 'vxview check'
  object vxScene1: TvxScene
    Align = alClient
    object Root1: TvxLayout
      Width = 200.0
      Height = 120.0
      object Bar: TvxRectangle
        Position.Point = '(20,30)'
        Width = 100.0
        Height = 40.0
        Fill.Color = '#FFFF0000'
        Stroke.Style = vxBrushNone
        OnClick = BarClick
      end
    end
  end
end
FORM

"$viewer" "$work/form.txt" --trace >"$work/trace.txt" 2>"$work/errors.txt" &
app=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^vxview check$' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  kill -0 $app 2>/dev/null || fail "the viewer ended early"
  sleep 0.1
done
[ -n "$window" ] || fail "no window appeared"

geometry=$(xdotool getwindowgeometry "$window")
grep -q "Position: 120,90" <<<"$geometry" || fail "window not at 120,90: $geometry"
grep -q "Geometry: 200x120" <<<"$geometry" || fail "window not 200x120: $geometry"
# The first frame follows the window; a slow machine gets a few tries.
look=""
for _ in $(seq 30); do
  xwd -id "$window" -silent >"$work/window.xwd" || fail "cannot read the window's pixels"
  look=$(python3 "$here/xwd_pixel.py" "$work/window.xwd" 70 50)
  read -r size red green blue <<<"$look"
  [ "$size" = 200x120 ] && [ "$red" -gt 200 ] && [ "$green" -lt 60 ] && [ "$blue" -lt 60 ] && break
  look=""
  sleep 0.1
done
[ -n "$look" ] || fail "the bar is not shown red at 70,50: $(python3 "$here/xwd_pixel.py" "$work/window.xwd" 70 50)"

xdotool mousemove 190 140 click 1
traced=0
for _ in $(seq 50); do
  grep -qx 'OnClick Bar Bar' "$work/trace.txt" && traced=1 && break
  sleep 0.1
done
[ $traced -eq 1 ] || fail "the click on the bar was not traced"

python3 "$here/x11_close.py" "$window" || fail "cannot ask the window to close"
for _ in $(seq 50); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
kill -0 $app 2>/dev/null && fail "the viewer is still running after its window closed"
wait $app
status=$?
app=""
[ $status -eq 0 ] || fail "the viewer exited with $status"
echo "window at its place and size, bar shown, click traced, closing ended the viewer"
