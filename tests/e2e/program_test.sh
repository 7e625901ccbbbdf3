#!/usr/bin/env bash
# The whole program on a private X server with a private session bus, used as a person would:
# the settings dialog comes first, a countdown warns and fires once (printed only: --dry-run),
# every power action and the tray-only display, a calendar moment refused and accepted, the
# ways out of the dialog, "终止", and the About dialog centred on a dragged sprite. Balloon
# notices reach a recording notification service on the bus.
# PROGRAM_WAIT_S scales every wait (slow builds, such as the sanitizer build, set it high).
set -uo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
app="" xvfb="" bus="" notices="" clock=""
trap 'kill $app $clock $notices $bus $xvfb 2>/dev/null; rm -rf "$work"' EXIT
wait_s=${PROGRAM_WAIT_S:-10}
polls=$((wait_s * 10))
run=0

fail() {
  echo "FAIL (run $run): $*"
  [ -s "$work/out$run.txt" ] && echo "output: $(tr '\n' ';' <"$work/out$run.txt")"
  [ -s "$work/err$run.txt" ] && echo "errors: $(tr '\n' ';' <"$work/err$run.txt" | cut -c1-2000)"
  [ -s "$work/notices.txt" ] && echo "notices: $(cat "$work/notices.txt")"
  exit 1
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# ---- windows -------------------------------------------------------------------------------
visible() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
await_named() {
  local id=""
  for _ in $(seq $polls); do
    id=$(visible "$1")
    [ -n "$id" ] && echo "$id" && return 0
    [ -n "$app" ] && ! kill -0 "$app" 2>/dev/null && break
    sleep 0.1
  done
  return 1
}
await_gone() {
  for _ in $(seq $polls); do
    [ -z "$(visible "$1")" ] && return 0
    sleep 0.1
  done
  return 1
}
# Prints "LEFT TOP WIDTH HEIGHT" of a window.
geometry() {
  xdotool getwindowgeometry "$1" |
    sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p; s/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p' |
    tr '\n' ' '
}
# A viewable window whose size and place ("WxH+X+Y") match the extended regular expression,
# such as a popup.
placed_window() {
  xwininfo -root -tree 2>/dev/null | grep -E " $1 " | grep -o '^ *0x[0-9a-f]*' | while read -r id; do
    xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable" && echo "$id"
  done | head -n 1
}
await_placed() {
  for _ in $(seq $polls); do
    [ -n "$(placed_window "$1")" ] && return 0
    sleep 0.1
  done
  fail "no window $1 after $2"
}
await_not_placed() {
  for _ in $(seq $polls); do
    [ -z "$(placed_window "$1")" ] && return 0
    sleep 0.1
  done
  fail "the window $1 is still there after $2"
}
capture() { xwd -id "$1" -silent >"$work/$2.xwd" || fail "cannot read the pixels of $2"; }
probe() { python3 "$here/pixel_probe.py" "$@"; }

# ---- the program ---------------------------------------------------------------------------
# Starts the program with a runtime folder of its own and waits for the settings dialog.
start_program() {
  run=$((run + 1))
  export XDG_RUNTIME_DIR="$work/runtime$run"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  "$program" --dry-run >"$work/out$run.txt" 2>"$work/err$run.txt" &
  app=$!
  dialog=$(await_named fConfig) || fail "no settings dialog appeared"
  read -r left top _ < <(geometry "$dialog")
}
end_program() {
  menu 1 # 退出
  for _ in $(seq $polls); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && fail "the program is still running after 退出"
  wait "$app"
  local status=$?
  app=""
  [ $status -eq 0 ] || fail "the program exited with $status"
}
actions() { grep -c '^dry-run: ' "$work/out$run.txt"; }
await_actions() {
  for _ in $(seq $((polls + $2 * 10))); do
    [ "$(actions)" -ge "$1" ] && return 0
    kill -0 "$app" 2>/dev/null || fail "the program ended while a countdown ran"
    sleep 0.1
  done
  fail "no power action $1 was printed"
}
last_action() { grep '^dry-run: ' "$work/out$run.txt" | tail -n 1; }

# ---- the settings dialog -------------------------------------------------------------------
# Places inside its 370 x 458 window: the 278 x 347 body is centred, at (46,55.5), and the
# controls' places are relative to it. A pause before the press lets a busy program see the
# pointer arrive.
click_dialog() { xdotool mousemove $((left + $1)) $((top + $2)) sleep 0.2 click 1; }
# An extended regular expression for N give or take one (places of half units are rounded).
around() { echo "($(($1 - 1))|$1|$(($1 + 1)))"; }
# Replaces the text of the number box at X, Y and commits it by leaving the box.
# (A click right after focusing the window with xdotool would be lost.)
set_box() {
  click_dialog "$1" "$2"
  sleep 0.3
  xdotool key Home shift+End
  xdotool type --delay 30 "$3"
  xdotool key Tab
  sleep 0.3
}
countdown_seconds() { set_box 270 217 "$1"; }
# Picks entry N of the combo box whose 173 x 22 box lies at (130, TOP); its list opens below
# it, one 19-unit row per entry.
pick() {
  local list_top=$((top + $1 + 22))
  local list="[0-9]+x[0-9]+\\+$((left + 130))\\+$(around $list_top)"
  click_dialog 216 $(($1 + 11))
  await_placed "$list" "a press on the combo box at $1"
  xdotool mousemove $((left + 216)) $((list_top + 19 * $2 + 9)) click 1
  await_not_placed "$list" "picking entry $2 of the combo box at $1"
}
action_combo=245
display_combo=284
start_countdown() { # 启动
  press=$(now_ms)
  click_dialog 195 338
}
await_dialog_closed() { await_gone fConfig || fail "the settings dialog stayed open after $1"; }

# ---- the sprite (405,243), 479 x 195 --------------------------------------------------------
time_text="118 64 327 101"
ring="76 66"
sprite_at() {
  sprite=$(visible yi)
  [ -n "$sprite" ] || fail "the sprite is not shown"
  read -r sleft stop _ < <(geometry "$sprite")
}
# Opens the sprite's menu with a right press on the ring and walks up COUNT entries from the
# bottom: 1 退出, 2 关于, 3 软件设置, 4 显示桌面精灵, 5 终止 (the separators are skipped).
menu() {
  sprite_at
  local before
  before=$(xdotool search --onlyvisible --name '' | wc -l)
  xdotool mousemove $((sleft + ${ring% *})) $((stop + ${ring#* })) mousedown 3 sleep 0.1 mouseup 3
  local opened=0
  for _ in $(seq $polls); do
    [ "$(xdotool search --onlyvisible --name '' | wc -l)" -gt "$before" ] && opened=1 && break
    sleep 0.1
  done
  [ $opened -eq 1 ] || fail "a right press on the sprite opened no menu"
  for _ in $(seq "$1"); do xdotool key Up sleep 0.1; done
  xdotool key Return
}
open_settings() {
  menu 3
  dialog=$(await_named fConfig) || fail "软件设置 opened no settings dialog"
  read -r left top _ < <(geometry "$dialog")
}
# Prints how many pixels of the time text are red, and a digest of its look.
red_in_time() {
  capture "$sprite" sprite
  probe "$work/sprite.xwd" red $time_text
}

# ---- set up: display, session bus, notification service ------------------------------------
source "$here/private_display.sh"
start_private_display 1280x800x24
# The calendar's first weekday and the date texts come from the locale: fix them.
export LC_ALL=C.UTF-8 LANG=C.UTF-8
unset DBUS_SESSION_BUS_ADDRESS
dbus-daemon --session --nofork --print-address=1 >"$work/bus" 2>"$work/bus.log" &
bus=$!
for _ in $(seq 50); do [ -s "$work/bus" ] && break; sleep 0.1; done
[ -s "$work/bus" ] || fail "no private session bus started"
export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
# The service needs the system's Python bindings of D-Bus and GLib.
service_python=""
for candidate in python3 /usr/bin/python3; do
  "$candidate" -c "import dbus, gi" 2>/dev/null && service_python=$candidate && break
done
[ -n "$service_python" ] || fail "no python3 with the dbus and gi modules (python3-dbus, python3-gi)"
"$service_python" "$here/notify_daemon.py" "$work/notices.txt" >"$work/service.log" 2>&1 &
notices=$!
for _ in $(seq $polls); do grep -q ready "$work/service.log" && break; sleep 0.1; done
grep -q ready "$work/service.log" || fail "the notification service did not start: $(cat "$work/service.log")"
touch "$work/notices.txt"
notice_count() { grep -c '"summary": "定时关机提示"' "$work/notices.txt"; }
began=$(now_ms)

# ==== 1. the settings dialog first; a 12 s countdown warns and fires once ====================
start_program
[ "$left $top" = "439 194" ] || fail "the settings dialog is at $left,$top, not at 439,194"
read -r _ _ width height < <(geometry "$dialog")
[ "${width}x$height" = 370x458 ] || fail "the settings dialog is ${width}x$height, not 370x458"
[ -z "$(visible yi)" ] || fail "the sprite is shown before the settings dialog closed"
# The first frame follows the window on a posted request; a slow machine gets a few tries.
looks=""
for _ in $(seq $polls); do
  capture "$dialog" dialog
  looks=$(probe "$work/dialog.xwd" range 60 300 40 52 40 52 40 52 &&          # body #E6333333
    probe "$work/dialog.xwd" range 80 62 130 255 130 255 130 255 &&           # title bar strip
    probe "$work/dialog.xwd" range 60 376 28 42 28 42 28 42 &&                # footer gradient
    probe "$work/dialog.xwd" range 5 5 0 0 0 0 0 0) && break                  # transparent
  sleep 0.1
done
[ -z "$looks" ] || fail "the settings dialog does not show its look: $looks"

# A window raised above the sprite as soon as it shows stays above it until the warning,
# which comes 10.9 s before the moment at the earliest: 1.1 s after the start.
xclock -geometry 40x40+0+0 >/dev/null 2>&1 &
clock=$!
clock_window=$(await_named xclock) || fail "xclock did not start"
# These two windows among the root's children, from the top down.
stacking() {
  xwininfo -root -children | grep -o '^ *0x[0-9a-f]*' | tr -d ' ' |
    grep -x -e "$(printf '0x%x' "$sprite")" -e "$(printf '0x%x' "$clock_window")" | tr '\n' ' '
}
countdown_seconds 12
start_countdown
sprite=$(await_named yi) || fail "the sprite did not show after 启动"
await_dialog_closed 启动
xdotool windowraise "$clock_window"
order=$(stacking)
checked=$(($(now_ms) - press))
# A machine too busy to look in time cannot tell a raise by the warning from an early one.
if [ "$checked" -lt 1000 ]; then
  [ "$order" = "$(printf '0x%x 0x%x ' "$clock_window" "$sprite")" ] ||
    fail "the sprite rose above the test window before the warning: $order"
fi
sprite_at
[ "$sleft $stop" = "405 243" ] || fail "the sprite is at $sleft,$stop, not at 405,243"
red_at=""
for _ in $(seq $((polls + 120))); do
  read -r reds _ < <(red_in_time) || fail "cannot probe the time text"
  if [ "$reds" -gt 0 ]; then red_at=$(($(now_ms) - press)) && break; fi
  [ "$(actions)" -eq 0 ] || break
  sleep 0.1
done
[ -n "$red_at" ] || fail "the time text never turned red"
# 12 s ahead, the warning may come 10.9 s before the moment at the earliest.
[ "$red_at" -ge 1000 ] || fail "the time text turned red $red_at ms after the start"
[ "$(stacking)" = "$(printf '0x%x 0x%x ' "$sprite" "$clock_window")" ] ||
  fail "the sprite was not raised above the test window at the warning: $(stacking)"
kill $clock
clock=""

await_actions 1 15
fired=$(($(now_ms) - press))
[ "$fired" -ge 11000 ] && [ "$fired" -le 14000 ] ||
  fail "the action was printed $fired ms after the start, not 11 to 14 s"
[ "$(last_action)" = "dry-run: shutdown systemctl poweroff" ] ||
  fail "the safe shutdown printed: $(last_action)"
sleep 1.5
[ "$(actions)" -eq 1 ] || fail "the action was printed $(actions) times"
kill -0 "$app" 2>/dev/null || fail "the program ended after the action"
# One notice, with the program's name, the warning icon and the shell's shortest time.
[ "$(notice_count)" -eq 1 ] || fail "$(notice_count) balloon notices reached the service"
notice=$(grep '"summary": "定时关机提示"' "$work/notices.txt")
for want in '"app_name": "翎川定时关机"' '"body": "系统将在10后关闭，请保存好当前的工作！"' \
  '"app_icon": "dialog-warning"' '"timeout": 10000'; do
  grep -qF "$want" <<<"$notice" || fail "the notice lacks $want: $notice"
done

# ==== the other three actions, each from "软件设置", too short for a warning ==================
for entry in "1 poweroff" "2 reboot" "3 logoff"; do
  read -r index word <<<"$entry"
  open_settings
  pick $action_combo "$index"
  countdown_seconds 2
  start_countdown
  await_dialog_closed "启动 with action $index"
  await_actions $((index + 1)) 4
  grep -q "^dry-run: $word " <<<"$(last_action)" || fail "action $index printed: $(last_action)"
done
[ "$(notice_count)" -eq 1 ] || fail "a countdown of 2 s raised a balloon notice"

# ==== About: centred on the sprite wherever it was dragged ===================================
sprite_at
xdotool mousemove $((sleft + ${ring% *})) $((stop + ${ring#* })) mousedown 1 sleep 0.1 \
  mousemove $((sleft + ${ring% *} + 100)) $((stop + ${ring#* } + 80)) sleep 0.1 \
  mousemove $((sleft + ${ring% *} + 200)) $((stop + ${ring#* } + 150)) sleep 0.2 mouseup 1
for _ in $(seq $polls); do
  read -r x y _ < <(geometry "$sprite")
  [ "$x $y" = "$((sleft + 200)) $((stop + 150))" ] && break
  sleep 0.1
done
[ "$x $y" = "$((sleft + 200)) $((stop + 150))" ] || fail "a left drag moved the sprite to $x,$y"
menu 2
about=$(await_named fAbout) || fail "关于 opened no About dialog"
read -r ax ay aw ah < <(geometry "$about")
[ "${aw}x$ah" = 267x370 ] || fail "the About dialog is ${aw}x$ah, not 267x370"
# Centred: the centres differ by less than a unit (halves are rounded).
dx=$((2 * ax + aw - 2 * x - 479))
dy=$((2 * ay + ah - 2 * y - 195))
[ "${dx#-}" -le 1 ] && [ "${dy#-}" -le 1 ] ||
  fail "the About dialog at $ax,$ay is not centred on the sprite at $x,$y"
# "确  定" in the footer: card (10,10), footer (0,313), button (180,9) 52 x 17.
xdotool mousemove $((ax + 216)) $((ay + 340)) click 1
await_gone fAbout || fail "确  定 did not close the About dialog"
end_program

# ==== 2. a calendar moment: refused without a picked day, fired with one ======================
# Typed times must not wrap past midnight.
while [ "$(date +%H%M)" -ge 2358 ]; do sleep 1; done
set_time() { # the hour, minute and second boxes of the custom panel, from a Unix time
  set_box 236 217 "$(date -d "@$1" +%-H)"
  set_box 265 217 "$(date -d "@$1" +%-M)"
  set_box 293 217 "$(date -d "@$1" +%-S)"
}
start_program
click_dialog 235 180 # 自定义时间
sleep 0.3
set_time $(($(date +%s) + 60))
start_countdown
refusal=$(await_named 提示) || fail "a moment on the stored day was not refused"
[ -n "$(visible fConfig)" ] || fail "the settings dialog closed on a refused start"
xdotool windowfocus --sync "$refusal" 2>/dev/null
xdotool key Return
await_gone 提示 || fail "the refusal stayed open"
[ -n "$(visible fConfig)" ] || fail "the settings dialog closed with the refusal"
[ -z "$(visible yi)" ] || fail "a refused start showed the sprite"

# The calendar box (130,206.5) drops its 186 x 166 calendar below it: the today button at
# (33,12), then six rows of 19 units from y 53 and seven columns of 180 / 7 from x 16 (the
# centres). Where a day sits follows from the weekday of the month's first (C locale: weeks
# start on Monday).
calendar="186x166\\+$((left + 130))\\+$(around $((top + 228)))"
open_calendar() {
  click_dialog 175 217
  await_placed "$calendar" "a press on the calendar box"
}
press_in_calendar() { # a press at X, Y of the calendar, which closes it
  xdotool mousemove $((left + 130 + $1)) $((top + 228 + $2)) sleep 0.2 click 1
  await_not_placed "$calendar" "$3"
}
pick_day() {
  local row column
  read -r row column < <(python3 -c '
import calendar, datetime, sys
today = datetime.date.today()
first = today.replace(day=1).isoweekday() % 7 + 1  # 1 = Sunday
week_start = 1                                     # Monday
days = calendar.monthrange(today.year, today.month)[1]
if first - week_start < 3: first += 7
if 42 + week_start - days - first < 3: first -= 7
cell = int(sys.argv[1]) + first - week_start - 2
print(cell // 7, cell % 7)' "$1")
  open_calendar
  press_in_calendar $((16 + column * 257 / 10)) $((53 + row * 19)) "picking day $1"
}
# The today button shows this month with today selected; a press on the selected day changes
# nothing, so another day is picked first.
open_calendar
press_in_calendar 33 12 "the today button"
day=$(date +%-d)
pick_day $((day == 1 ? 2 : day - 1))
pick_day "$day"
moment=$(($(date +%s) + 15))
set_time $moment
start_countdown
await_dialog_closed "启动 with today picked"
await_named yi >/dev/null || fail "the sprite did not show for a calendar moment"
await_actions 1 20
late=$(($(now_ms) - moment * 1000))
[ "$late" -ge -1000 ] && [ "$late" -le 3000 ] ||
  fail "the calendar moment fired $late ms off its time"

# The today button alone picks today too, and the typed time counts.
open_settings
click_dialog 235 180
sleep 0.3
open_calendar
press_in_calendar 33 12 "the today button"
set_time $(($(date +%s) + 120))
start_countdown
await_dialog_closed "启动 with the today button"
[ -z "$(visible 提示)" ] || fail "today's date with a later time was refused"
end_program
[ "$(actions)" -eq 1 ] || fail "退出 did not drop the running schedule"

# ==== 3. leaving the dialog: 停止, the close button, Escape; then 终止 =========================
start_program
click_dialog 265 338 # 停止
await_dialog_closed 停止
sprite=$(await_named yi) || fail "the sprite did not show after 停止"
# Idle look: quarter ring, 00:00:00, 关机倒计时.
for _ in $(seq $polls); do
  capture "$sprite" sprite
  python3 "$here/window_pixels.py" "$work/sprite.xwd" >"$work/look.txt" && break
  sleep 0.1
done
python3 "$here/window_pixels.py" "$work/sprite.xwd" >"$work/look.txt" ||
  fail "the sprite does not show its idle look after 停止: $(tr '\n' ';' <"$work/look.txt")"
read -r _ idle < <(red_in_time)
open_settings
click_dialog 312 67 # the close button
await_dialog_closed "the close button"
open_settings
xdotool windowfocus --sync "$dialog" 2>/dev/null
xdotool key Escape
await_dialog_closed Escape
[ -n "$(visible yi)" ] || fail "the sprite went with the dialog"

# Too short for a warning: the time text counts down in its own colours, and 终止 puts it
# back to 00:00:00 and keeps the action from coming.
open_settings
countdown_seconds 9
start_countdown
await_dialog_closed "启动 for 终止"
counted=0
for _ in $(seq $polls); do
  read -r reds now < <(red_in_time)
  [ "$reds" -eq 0 ] || fail "the time text turned red nine seconds ahead"
  [ "$now" != "$idle" ] && counted=1 && break
  sleep 0.1
done
[ $counted -eq 1 ] || fail "the time text did not count down"
menu 5 # 终止
for _ in $(seq $polls); do
  read -r _ now < <(red_in_time)
  [ "$now" = "$idle" ] && break
  sleep 0.1
done
[ "$now" = "$idle" ] || fail "终止 did not put the time text back to 00:00:00"
aborted=$(($(now_ms) - press))
[ "$aborted" -lt 8500 ] || fail "the abort took until $aborted ms, too close to the moment to tell"
while [ $(($(now_ms) - press)) -lt 10500 ]; do sleep 0.2; done
[ "$(actions)" -eq 0 ] || fail "终止 did not abort the countdown: $(last_action)"
end_program

# ==== 4. tray only: the sprite stays hidden while the action fires ===========================
start_program
pick $display_combo 1
countdown_seconds 2
start_countdown
await_dialog_closed "启动 with 仅任务栏"
await_actions 1 4
grep -q "^dry-run: shutdown " <<<"$(last_action)" || fail "tray only printed: $(last_action)"
[ -z "$(visible yi)" ] || fail "the sprite is shown with 仅任务栏"
kill "$app"
wait "$app" 2>/dev/null
app=""

echo "dialog first at its place and look; 12 s countdown raised, red, noticed on the bus and" \
  "fired once after $fired ms; the other actions, tray only, calendar moments refused and" \
  "fired, the dialog's ways out, counting down, 终止 and About checked in" \
  "$((($(now_ms) - began) / 1000)) s"
