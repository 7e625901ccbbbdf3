#!/usr/bin/env bash
# Opens a popup next to a dialog on a private X server and closes it as a person would: by a
# press on the desktop, by a press in the dialog and by Escape. Checks the popup window's place,
# size and type, that no popup window is left, and that the pointer is free afterwards, even
# when the program is killed while its popup is open.
set -uo pipefail
driver=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'kill -9 $app 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
app=""

fail() {
  echo "FAIL: $*"
  exit 1
}

source "$here/private_display.sh"
start_private_display 1280x800x24

# Waits until the driver has printed `line` `count` times.
await() {
  local line=$1 count=$2
  for _ in $(seq 50); do
    [ "$(grep -c "^$line" "$work/out")" -ge "$count" ] && return 0
    sleep 0.1
  done
  fail "no '$line' number $count from the driver: $(tr '\n' ';' <"$work/out")"
}

# The id of the mapped 120 x 80 window at the popup's place, or nothing.
popup_window() {
  xwininfo -root -tree | awk '/ 120x80\+220\+204 / { print $1; exit }' | while read -r id; do
    xwininfo -id "$id" | grep -q "Map State: IsViewable" && echo "$id"
  done
}

pointer() { python3 "$here/pointer_grab.py"; }

open_popup() {
  xdotool mousemove 260 190 click 1
  await opened "$1"
  grep "^opened" "$work/out" | tail -n 1 | grep -q "^opened 220 204 120 80$" ||
    fail "popup not placed below its target: $(grep '^opened' "$work/out" | tail -n 1)"
  for _ in $(seq 30); do
    popup=$(popup_window)
    [ -n "$popup" ] && break
    sleep 0.1
  done
  [ -n "$popup" ] || fail "no popup window on the screen"
  [ "$(pointer)" = grabbed ] || fail "the open popup does not watch presses outside the program"
}

expect_gone() {
  await closed "$1"
  sleep 0.2
  [ -z "$(popup_window)" ] || fail "a popup window is left after $2"
  [ "$(pointer)" = free ] || fail "the pointer is still grabbed after $2"
}

"$driver" show >"$work/out" 2>"$work/err" &
app=$!
await ready 1
dialog=$(await_window '^popup-driver$')
[ -n "$dialog" ] || fail "no dialog window appeared"
[ "$(pointer)" = free ] || fail "the pointer is grabbed before any popup opened"

open_popup 1
type=$(xprop -id "$popup" _NET_WM_WINDOW_TYPE)
grep -q "_NET_WM_WINDOW_TYPE_COMBO" <<<"$type" || fail "popup window type: $type"
xwininfo -id "$popup" | grep -q "Override Redirect State: yes" ||
  fail "the popup window is managed by the window manager (taskbar, placement, focus)"
xdotool mousemove 900 600 click 1
expect_gone 1 "a press on the desktop"

open_popup 2
xdotool mousemove 400 300 click 1
expect_gone 2 "a press in the dialog"
# That press was taken by the closing; the next one reaches the dialog as usual.
xdotool mousemove 260 190 click 1
await opened 3
xdotool mousemove 400 300 click 1
expect_gone 3 "a second press in the dialog"

open_popup 4
xdotool windowfocus --sync "$dialog" key Escape
expect_gone 4 "Escape"

open_popup 5
kill -9 $app
wait $app 2>/dev/null
app=""
sleep 0.3
[ "$(pointer)" = free ] || fail "the pointer stays grabbed after the program was killed"
[ -z "$(popup_window)" ] || fail "a popup window outlived its program"
echo "popup placed and typed, closed by desktop press, dialog press and Escape; no grab left, not even after a kill"
