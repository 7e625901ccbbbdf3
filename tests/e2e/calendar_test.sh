#!/usr/bin/env bash
# A calendar box shown live by vxview on a private X server: a press drops its calendar down
# in a window of its own right below the box; the header's arrow turns to the next month and a
# day picked there closes the calendar and shows in the box; the month picker's menu, a real
# platform menu, turns the calendar to another month and leaves it open; a press outside the
# program, once the menu has gone, closes the calendar, and so does a press on the box. No
# window and no pointer grab may be left behind.
# CALENDAR_WAIT_S scales every wait (slow builds, such as the sanitizer build, set it high).
set -uo pipefail
viewer=$1
here=$(cd "$(dirname "$0")" && pwd)
wait_s=${CALENDAR_WAIT_S:-10}

source "$here/private_display.sh"
begin_display_test 1024x768x24

# The form puts the 150 x 22 box at (20,20) of a window at (200,150), so the 186 x 166 popup
# belongs at (220,192); the calendar fills it but for 3 units on every side.
box_x=260
box_y=181
popup_geometry="186x166+220+192"
calendar_left=223
calendar_top=195

# Runs the command until it succeeds; fails when the wait runs out first.
eventually() {
  local end=$((SECONDS + wait_s))
  until "$@"; do
    [ $SECONDS -lt $end ] || return 1
    [ -z "$app" ] || kill -0 $app 2>/dev/null || fail "the viewer ended early"
    sleep 0.1
  done
}

# Prints the ids of the mapped top-level windows, with their geometry (WxH+X+Y) when asked.
mapped_windows() {
  xwininfo -root -children | awk -v want=" ${1:-} " 'index($0, want) && /^ +0x/ { print $1 }' |
    while read -r id; do
      xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable" && echo "$id"
    done
}

pointer_is() { [ "$(python3 "$here/pointer_grab.py")" = "$1" ]; }
popup_shown() { [ -n "$(mapped_windows "$popup_geometry")" ]; }
popup_gone() { [ -z "$(mapped_windows "$popup_geometry")" ] && pointer_is free; }
traced() { grep -Eqx "$1" "$work/trace.txt"; }

await_popup() {
  eventually popup_shown || fail "no calendar window at 220,192 sized 186x166 after $1"
}
await_no_popup() {
  eventually popup_gone || fail "the calendar window or its pointer grab is left after $1"
}
await_line() { eventually traced "$1" || fail "no trace line '$1'"; }

press_box() { xdotool mousemove $box_x $box_y click 1; }

# Clicks a point of the calendar, in its own coordinates.
click_calendar() { xdotool mousemove $((calendar_left + $1)) $((calendar_top + $2)) click 1; }

# Clicks a cell (0..41, row by row) of the day grid: 7 columns over the calendar's 180 units,
# rows 19 high below the header and the weekday row.
click_cell() { click_calendar $(($1 % 7 * 180 / 7 + 13)) $((42 + $1 / 7 * 19 + 9)); }

# The box shows the locale's date text and the month picker its month names: the viewer runs
# in a locale whose short dates read month/day/year and whose weeks start on Sunday.
LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8 LANGUAGE=en_US \
  "$viewer" "$here/calendar.form" --trace >"$work/trace.txt" 2>"$work/errors.txt" &
app=$!
window=""
find_window() {
  window=$(xdotool search --onlyvisible --name '^Calendar$' 2>/dev/null | head -n 1)
  [ -n "$window" ]
}
eventually find_window || fail "no window appeared"
pointer_is free || fail "the pointer is grabbed before the calendar opened"

# The form's date is 29 November 2010 at the time the box was made; the arrow turns it to
# 29 December 2010 at that time.
press_box
await_popup "a press on the box"
eventually pointer_is grabbed || fail "the open calendar does not watch presses outside the program"
click_calendar 51 9
await_line "OnChange CalendarBox1 12/29/2010 [0-9]{1,2}:[0-9]{2}:[0-9]{2} (AM|PM)"
popup_shown || fail "the next month's arrow closed the calendar"

# December 2010 starts on a Wednesday: with weeks from Sunday the 1st is cell 3, the 15th
# cell 17. A picked day is midnight, whose text has no time.
click_cell 17
await_line "OnChange CalendarBox1 12/15/2010"
await_line "OnDayChange - .*"
await_no_popup "picking a day"

# The month picker, the header's text between the arrows and the year, offers the months in
# a platform menu right below itself.
press_box
await_popup "a second press on the box"
mapped_windows | sort >"$work/before"
click_calendar 110 9
menu=""
find_menu() {
  menu=$(mapped_windows | sort | comm -13 "$work/before" - | head -n 1)
  [ -n "$menu" ]
}
eventually find_menu || fail "no menu window appeared for the month picker"
read -r menu_left menu_top menu_height < <(xwininfo -id "$menu" |
  awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
       /Height/ { h = $NF } END { print x, y, h }')
[ "$menu_top" -ge $((calendar_top + 19)) ] && [ "$menu_top" -le $((calendar_top + 21)) ] ||
  fail "the month menu opens at $menu_top, not below the header"
[ "$menu_height" -ge 120 ] || fail "the month menu is only $menu_height pixels high"
# Twelve months from the top: March is the third.
xdotool mousemove $((menu_left + 30)) $((menu_top + menu_height * 5 / 24)) click 1
await_line "OnChange - March"
await_line "OnChange CalendarBox1 3/15/2010"
menu_gone() { ! mapped_windows | grep -qx "$menu"; }
eventually menu_gone || fail "the month menu stays open"
popup_shown || fail "choosing a month closed the calendar"

# The menu held the pointer for itself; the calendar takes it back, so that a press outside
# the program still closes it.
eventually pointer_is grabbed ||
  fail "the calendar no longer watches presses outside the program after the month menu"
xdotool mousemove 700 600 click 1
await_no_popup "a press outside after the month menu"

press_box
await_popup "a third press on the box"
press_box
await_no_popup "a press on the box while the calendar is open"
last=$(grep "^OnChange CalendarBox1 " "$work/trace.txt" | tail -n 1)
[ "$last" = "OnChange CalendarBox1 3/15/2010" ] ||
  fail "closing the calendar changed the date: $last"
echo "calendar below the box at its size; next month, a day and a month from the menu picked;" \
  "closed by a press outside and on the box; no window or grab left"
