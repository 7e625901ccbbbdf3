#!/usr/bin/env bash
# Starts the program on a private X server and reads the settings dialog's pixels: its labels
# stand on one line and its combo boxes span their full width, with the text clear of the arrow.
set -uo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)

source "$here/private_display.sh"
begin_display_test 1024x768x24

"$program" --dry-run >"$work/app.log" 2>&1 &
app=$!
dialog=$(await_window '^fConfig$')
[ -n "$dialog" ] || fail "no settings dialog appeared"

# Bright pixels in a rectangle of the dialog, in window coordinates (the body starts at 46,55).
bright() {
  xwd -id "$dialog" -silent >"$work/dialog.xwd" || fail "cannot read the dialog's pixels"
  python3 "$here/xwd_bright.py" "$work/dialog.xwd" "$@" || fail "cannot read the region $*"
}

# The first frame may still be on its way.
for _ in $(seq 50); do
  [ "$(bright 65 171 134 187)" -gt 20 ] && break
  sleep 0.1
done
[ "$(bright 65 171 134 187)" -gt 20 ] || fail "the label 计时方式： is not shown"
for label in "65 189 134 208 计时方式：" "65 228 134 246 时间设置：" "65 266 134 284 关机方式："; do
  set -- $label
  [ "$(bright $1 $2 $3 $4)" -eq 0 ] || fail "the label $5 wraps onto a second line"
done
for combo in "245 关机方式" "284 显示方式"; do
  set -- $combo
  # The arrow sits at the right end of the 173-wide box, the entry's text left of its column.
  [ "$(bright 290 $(($1 + 7)) 300 $(($1 + 14)))" -gt 10 ] || fail "the $2 box has no arrow at its right end"
  [ "$(bright 132 $(($1 + 2)) 280 $(($1 + 20)))" -gt 20 ] || fail "the $2 box shows no entry"
  [ "$(bright 281 $(($1 + 2)) 289 $(($1 + 20)))" -eq 0 ] || fail "the $2 box's text runs under the arrow"
done
echo "labels on one line, combo boxes at full width with their text clear of the arrow"
