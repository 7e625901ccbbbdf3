#!/usr/bin/env bash
# lingchuan.exe under wine on a private X server: the settings dialog comes first at its place
# with its look; a 12 s countdown started from it shows the sprite at its place with its time
# text and ends in exactly one dry-run line with the shutdown.exe command; "退出" in the sprite's native menu ends the program.
# Usage: program_test.sh LINGCHUAN.exe (WINEPREFIX names the build's prefix)
set -uo pipefail
program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
e2e=$here/../e2e
wine_run=$(realpath "$here/../../tools/wine-run.sh")
work=$(mktemp -d)
app="" xvfb=""
: "${WINEPREFIX:?names the wine prefix}"
# The wine server keeps the display its first program had: end it before and after.
trap 'kill $app 2>/dev/null; wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
wait_s=${PROGRAM_WAIT_S:-20}

fail() {
  echo "FAIL: $*"
  [ -s "$work/out.txt" ] && echo "output: $(tr '\n' ';' <"$work/out.txt")"
  [ -s "$work/err.txt" ] && echo "errors: $(tr '\n' ';' <"$work/err.txt" | cut -c1-2000)"
  exit 1
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }
named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
await_named() {
  for _ in $(seq $((wait_s * 10))); do
    local id
    id=$(named "$1")
    [ -n "$id" ] && echo "$id" && return 0
    kill -0 "$app" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
# "LEFT TOP WIDTH HEIGHT" of a window.
geometry() {
  xdotool getwindowgeometry "$1" |
    sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p; s/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p' |
    tr '\n' ' '
}
probe() { python3 "$e2e/pixel_probe.py" "$@"; }
actions() { grep -c '^dry-run: ' "$work/out.txt"; }

source "$e2e/private_display.sh"
start_private_display 1280x800x24
wineserver -k 2>/dev/null

# ---- the settings dialog, first --------------------------------------------------------------
"$wine_run" "$program" --dry-run >"$work/out.txt" 2>"$work/err.txt" &
app=$!
dialog=$(await_named fConfig) || fail "no settings dialog appeared"
read -r left top width height < <(geometry "$dialog")
[ "$left $top ${width}x$height" = "439 194 370x458" ] ||
  fail "the settings dialog is ${width}x$height at $left,$top, not 370x458 at 439,194"
[ -z "$(named yi)" ] || fail "the sprite is shown before the settings dialog closed"
looks=""
for _ in $(seq 30); do
  xwd -id "$dialog" -silent >"$work/dialog.xwd"
  looks=$(probe "$work/dialog.xwd" range 60 300 40 52 40 52 40 52 &&   # body #E6333333
    probe "$work/dialog.xwd" range 80 62 130 255 130 255 130 255) && break # title bar strip
  sleep 0.1
done
[ -z "$looks" ] || fail "the settings dialog does not show its look: $looks"

# ---- a 12 s countdown --------------------------------------------------------------------
click_dialog() { xdotool mousemove $((left + $1)) $((top + $2)) sleep 0.2 click 1; }
click_dialog 270 217 # the seconds box
sleep 0.3
xdotool key Home shift+End
xdotool type --delay 30 12
xdotool key Tab
sleep 0.3
press=$(now_ms)
click_dialog 195 338 # 启动
sprite=$(await_named yi) || fail "the sprite did not show after 启动"
read -r sleft stop swidth sheight < <(geometry "$sprite")
[ "$sleft $stop ${swidth}x$sheight" = "405 243 479x195" ] ||
  fail "the sprite is ${swidth}x$sheight at $sleft,$stop, not 479x195 at 405,243"
# Its look: the time text is drawn (light pixels where it stands).
looks=""
for _ in $(seq 30); do
  xwd -id "$sprite" -silent >"$work/sprite.xwd" || fail "cannot read the sprite's pixels"
  looks=$(python3 -c '
import sys
sys.path.insert(0, sys.argv[1])
from xwd_dump import XwdDump
dump = XwdDump(sys.argv[2])
light = sum(1 for y in range(64, 101) for x in range(118, 327) if min(dump.rgb(x, y)) > 150)
print(light)' "$e2e" "$work/sprite.xwd")
  [ "${looks:-0}" -gt 50 ] && break
  sleep 0.2
done
[ "${looks:-0}" -gt 50 ] || fail "the sprite shows no time text ($looks light pixels)"
for _ in $(seq $((wait_s * 10 + 150))); do
  [ "$(actions)" -ge 1 ] && break
  kill -0 "$app" 2>/dev/null || fail "the program ended while the countdown ran"
  sleep 0.1
done
fired=$(($(now_ms) - press))
[ "$(actions)" -ge 1 ] || fail "no power action was printed"
[ "$fired" -ge 11000 ] || fail "the action came $fired ms after 启动, before the moment"
sleep 2
# Windows ends printed lines with CR LF.
[ "$(grep '^dry-run: ' "$work/out.txt" | tr -d '\r')" = "dry-run: shutdown shutdown.exe -s -f" ] ||
  fail "not exactly one safe shutdown through shutdown.exe"

# ---- 退出 from the sprite's native menu ------------------------------------------------------
xdotool mousemove $((sleft + 76)) $((stop + 66)) mousedown 3 sleep 0.1 mouseup 3
sleep 1
xdotool key Up sleep 0.1 key Return
for _ in $(seq $((wait_s * 10))); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "the program is still running after 退出"
wait "$app" || fail "the program exited with $?"
app=""
echo "dialog at $left,$top; sprite at $sleft,$stop; the action after $fired ms"
