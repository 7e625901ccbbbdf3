#!/usr/bin/env bash
# Starts the program on a private X server and uses it as a person would: the sprite shows
# its idle look at its place, a second start hands over and leaves, a right press on the
# body opens the menu, and "退出" ends the program.
set -uo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)

source "$here/private_display.sh"
begin_display_test 1280x800x24

"$program" --dry-run >"$work/first.log" 2>&1 &
app=$!
# The settings dialog comes first; its close button lets the sprite follow.
dialog=$(await_window '^fConfig$')
[ -n "$dialog" ] || fail "no settings dialog appeared"
[ -z "$(xdotool search --onlyvisible --name '^yi$')" ] || fail "the sprite came before the dialog"
xdotool mousemove --window "$dialog" 312 67 click 1
sprite=$(await_window '^yi$')
[ -n "$sprite" ] || fail "no sprite window appeared"

# A tool window that taskbars, task switchers and pagers leave out.
# The types are in order of preference; Qt adds fallbacks after the first.
type=$(xprop -id "$sprite" _NET_WM_WINDOW_TYPE)
grep -q "= _NET_WM_WINDOW_TYPE_UTILITY" <<<"$type" || fail "sprite is no tool window: $type"
state=$(xprop -id "$sprite" _NET_WM_STATE)
for skip in _NET_WM_STATE_SKIP_TASKBAR _NET_WM_STATE_SKIP_PAGER; do
  grep -q "$skip" <<<"$state" || fail "sprite lacks $skip: $state"
done

geometry=$(xdotool getwindowgeometry "$sprite")
grep -q "Position: 405,243" <<<"$geometry" || fail "sprite not at 405,243: $geometry"
grep -q "Geometry: 479x195" <<<"$geometry" || fail "sprite not 479x195: $geometry"
await_pixels "$sprite" "$here/window_pixels.py" "the sprite does not show its idle look"

# Xvfb runs no compositing manager, so the nearly transparent body would show as a black
# panel: the window's bounding shape keeps only the ring and the texts, which lie between the
# body's top-left (29,51) and the time text's far edge (327,139), clear of the window's corners.
shape_inside "$sprite" 29 51 327 139

start=$(date +%s%N)
timeout 5 "$program" --dry-run >"$work/second.log" 2>&1
status=$?
elapsed=$((($(date +%s%N) - start) / 1000000))
[ $status -eq 0 ] || fail "second start exited with $status"
# Sanitizer builds pay a fixed cost at start and exit, so they get a longer limit.
limit=${SECOND_START_LIMIT_MS:-1000}
[ $elapsed -lt "$limit" ] || fail "second start took $elapsed ms (limit $limit ms)"
kill -0 $app 2>/dev/null || fail "the first instance ended"
count=$(xdotool search --onlyvisible --name '^yi$' | wc -l)
[ "$count" -eq 1 ] || fail "$count sprite windows after a second start"

# Without a compositor only what the sprite shows takes the mouse: the press goes to the
# ring's track at (76,66) in the window.
right_press_opens_menu 481 309 "the body"

quit_from_menu

# Without a runtime folder the name lives in a private folder under the temporary folder; one
# that is a link to somewhere else is refused with one line.
mkdir "$work/tmp" "$work/elsewhere"
ln -s "$work/elsewhere" "$work/tmp/lingchuan-$(id -u)"
env -u XDG_RUNTIME_DIR TMPDIR="$work/tmp" timeout 5 "$program" --dry-run >"$work/refused.log" 2>&1
status=$?
[ $status -eq 1 ] || fail "a linked instance folder gave exit code $status"
# (Qt itself may warn about the missing runtime folder.)
refusal=$(grep "^lingchuan: " "$work/refused.log")
[ "$(wc -l <<<"$refusal")" -eq 1 ] && grep -q "not a private folder" <<<"$refusal" ||
  fail "a linked instance folder was not refused in one line: $(cat "$work/refused.log")"
echo "sprite shown at its place as a shaped tool window, second start handed over in $elapsed ms," \
  "menu opened, 退出 ended it, a linked instance folder refused"
