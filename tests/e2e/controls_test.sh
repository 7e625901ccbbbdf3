#!/usr/bin/env bash
# Drives the controls of two forms shown by vxview on a private X server, reading the event
# trace and the window's pixels: radio groups, the check box, a button, typing into and
# dragging over the number box, copy and paste between text boxes with the keyboard, and
# the text box's context menu.
# CONTROLS_WAIT_S scales every wait (slow builds, such as the sanitizer build, set it high).
set -uo pipefail
viewer=$1
here=$(cd "$(dirname "$0")" && pwd)
wait_s=${CONTROLS_WAIT_S:-10}
polls=$((wait_s * 10))

# Waits until the trace holds a line matching the extended regular expression, whole.
await_line() {
  for _ in $(seq $polls); do
    grep -Eqx "$1" "$work/trace.txt" && return 0
    kill -0 $app 2>/dev/null || fail "the viewer ended early"
    sleep 0.1
  done
  fail "no trace line '$1'"
}

lines() { grep -Ec "$1" "$work/trace.txt"; }

# Starts the viewer on a form and waits for its window, titled by the form's caption.
show() {
  : >"$work/trace.txt"
  "$viewer" "$1" --trace >"$work/trace.txt" 2>"$work/errors.txt" &
  app=$!
  window=""
  for _ in $(seq $polls); do
    window=$(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    kill -0 $app 2>/dev/null || fail "the viewer ended early on $1"
    sleep 0.1
  done
  [ -n "$window" ] || fail "no window for $1 appeared"
  read -r left top < <(xdotool getwindowgeometry "$window" |
    sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
  [ -n "${top:-}" ] || fail "no place for the window of $1"
}

# Clicks at a point of the form, in its own coordinates.
click() { xdotool mousemove $((left + $1)) $((top + $2)) click "${3:-1}"; }

# Prints a digest of a rectangle of the window, given in form coordinates.
look() {
  xwd -id "$window" -silent >"$work/window.xwd" || fail "cannot read the window's pixels"
  python3 "$here/xwd_region.py" "$work/window.xwd" "$@" || fail "cannot read the region $*"
}

# Waits until a rectangle of the window shows the expected digest, or ("!" DIGEST) another.
await_look() {
  local want=$1 now=""
  shift
  for _ in $(seq $polls); do
    now=$(look "$@")
    if [ "${want:0:1}" = "!" ]; then [ "$now" != "${want:1}" ] && return 0; else [ "$now" = "$want" ] && return 0; fi
    sleep 0.1
  done
  return 1
}

close_view() {
  python3 "$here/x11_close.py" "$window" || fail "cannot ask the window to close"
  for _ in $(seq $polls); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
  kill -0 $app 2>/dev/null && fail "the viewer is still running after its window closed"
  wait $app
  local status=$?
  app=""
  [ $status -eq 0 ] || fail "the viewer exited with $status"
}

source "$here/private_display.sh"
begin_display_test 1024x768x24

# ---- buttons, check box and radio groups ---------------------------------------------------
show "$here/gallery.form" Controls
# The marks: the left 19 units of each checkable control.
check_mark="16 84 35 103"
radio1_mark="16 120 35 139"
radio2_mark="16 144 35 163"
radio3_mark="200 120 219 139"
# Wait for the first frame: the checked first radio button looks unlike the unchecked second.
for _ in $(seq $polls); do
  radio1=$(look $radio1_mark)
  radio2=$(look $radio2_mark)
  [ "$radio1" != "$radio2" ] && break
  sleep 0.1
done
[ "$radio1" != "$radio2" ] || fail "checked and unchecked radio buttons look alike"
radio3=$(look $radio3_mark)
checked_box=$(look $check_mark)

click 56 55
await_line 'OnClick Button1 .*'

click 60 153
await_line 'OnClick RadioButton2 .*'
await_line 'OnChange RadioButton2 True'
await_line 'OnChange RadioButton1 False'
[ "$(lines '^OnChange RadioButton3 ')" -eq 0 ] || fail "a radio button of another group changed"
await_look "$radio2" $radio1_mark || fail "the first radio button does not look unchecked"
await_look "!$radio2" $radio2_mark || fail "the second radio button still looks unchecked"
[ "$(look $radio3_mark)" = "$radio3" ] || fail "the radio button of another group changed its look"

# A click on the checked button changes nothing; its click is traced with the change, if any.
changes=$(lines '^OnChange ')
click 60 153
await_line 'OnClick RadioButton2 .*'
for _ in $(seq $polls); do [ "$(lines '^OnClick RadioButton2 ')" -eq 2 ] && break; sleep 0.1; done
[ "$(lines '^OnClick RadioButton2 ')" -eq 2 ] || fail "the second click on the radio button was not traced"
[ "$(lines '^OnChange ')" -eq "$changes" ] || fail "a click on the checked radio button changed something"

click 60 93
await_line 'OnChange CheckBox1 False'
await_look "!$checked_box" $check_mark || fail "the check box still looks checked"
click 60 93
await_line 'OnChange CheckBox1 True'
close_view

# ---- number box ------------------------------------------------------------------------------
show "$here/textboxes.form" textboxes
xdotool windowfocus --sync "$window" 2>/dev/null
click 56 113
await_line 'OnEnterFocus NumberBox1 .*'
xdotool type --delay 50 99
await_line 'OnTyping NumberBox1 .*'
xdotool key Tab
await_line 'OnChange NumberBox1 59'
click 56 113
for _ in $(seq $polls); do [ "$(lines '^OnEnterFocus NumberBox1 ')" -eq 2 ] && break; sleep 0.1; done
# The click's release commits the box, which drops the selection focusing made; Ctrl+A is
# no command in a number box, whose filter drops the letter.
xdotool key Home shift+End
xdotool type --delay 50 7
xdotool key Tab
await_line 'OnChange NumberBox1 7'
# A sideways drag steps once per pointer move: three moves right make 10.
xdotool mousemove $((left + 40)) $((top + 113)) mousedown 1
for x in 50 60 70; do xdotool sleep 0.1 mousemove $((left + x)) $((top + 113)); done
xdotool sleep 0.1 mouseup 1
await_line 'OnChange NumberBox1 10'

# ---- copy and paste with the keyboard --------------------------------------------------------
click 100 31
await_line 'OnEnterFocus TextBox1 TextBox1'
xdotool key ctrl+a ctrl+c
click 100 71
await_line 'OnEnterFocus TextBox2 '
xdotool key ctrl+v
await_line 'OnTyping TextBox2 TextBox1'

# ---- the context menu ------------------------------------------------------------------------
# Select All from the menu: the next character replaces the whole text.
menu_open() {
  local before=$1
  for _ in $(seq $polls); do
    [ "$(xdotool search --onlyvisible --name '' | wc -l)" -gt "$before" ] && return 0
    sleep 0.1
  done
  fail "a right click on the text box opened no menu"
}
windows=$(xdotool search --onlyvisible --name '' | wc -l)
click 100 71 3
menu_open "$windows"
xdotool key Up sleep 0.2 key Return   # the last item, "Select All"
sleep 0.2
xdotool type x
await_line 'OnTyping TextBox2 x'
# Paste from the menu: with nothing selected, Cut, Copy and Delete are disabled and the
# first item the keyboard reaches is "Paste".
click 100 71 3
menu_open "$windows"
xdotool key Down sleep 0.2 key Return
await_line 'OnChangeTracking TextBox2 xTextBox1'
close_view
echo "radio groups, check box, button, number box typing and dragging, keyboard copy and paste" \
  "and the context menu's Select All and Paste work on a real display"
