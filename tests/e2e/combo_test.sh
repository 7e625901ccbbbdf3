#!/usr/bin/env bash
# A string combo box shown live by vxview on a private X server: a press opens its list in a
# window of its own right below it and as wide as the box; a click on the third entry picks it;
# a press outside and Escape close the list again, leaving no window and no pointer grab.
set -uo pipefail
viewer=$1
here=$(cd "$(dirname "$0")" && pwd)

source "$here/private_display.sh"
begin_display_test 1024x768x24

# The form puts the 173 x 22 box at (20,20) of a window at (200,150): the list, 8 rows of
# 22 - 4 units, belongs at (220,192), 173 x 144.
list_window() {
  xwininfo -root -tree | awk '/ 173x144\+220\+192 / { print $1 }' | while read -r id; do
    xwininfo -id "$id" | grep -q "Map State: IsViewable" && echo "$id"
  done | head -n 1
}
await_list() {
  for _ in $(seq 100); do
    [ -n "$(list_window)" ] && return 0
    sleep 0.1
  done
  fail "no list window at 220,192 sized 173x144 after $1"
}
await_no_list() {
  for _ in $(seq 100); do
    [ -z "$(list_window)" ] && [ "$(python3 "$here/pointer_grab.py")" = free ] && return 0
    sleep 0.1
  done
  fail "the list window or its pointer grab is left after $1"
}
await_trace() {
  for _ in $(seq 100); do
    grep -q "$1" "$work/trace.txt" && return 0
    sleep 0.1
  done
  fail "no trace line matching '$1'"
}

"$viewer" "$here/combo.form" --trace >"$work/trace.txt" 2>"$work/errors.txt" &
app=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^Combo box$' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  kill -0 $app 2>/dev/null || fail "the viewer ended early"
  sleep 0.1
done
[ -n "$window" ] || fail "no window appeared"
[ "$(python3 "$here/pointer_grab.py")" = free ] || fail "the pointer is grabbed before the list opened"

xdotool mousemove 300 181 click 1
await_list "a press on the box"
# The third entry's row is 19 units high from the list's top.
xdotool mousemove 300 239 click 1
await_trace "^OnChange StringComboBox1 重启$"
await_no_list "picking an entry"

xdotool mousemove 300 181 click 1
await_list "a second press on the box"
xdotool mousemove 700 600 click 1
await_no_list "a press outside"

xdotool mousemove 300 181 click 1
await_list "a third press on the box"
xdotool windowfocus --sync "$window" key Escape
await_no_list "Escape"
echo "list placed below the box at its size, third entry picked, closed by a press outside and by Escape, no grab left"
