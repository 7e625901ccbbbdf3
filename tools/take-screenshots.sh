#!/usr/bin/env bash
# Takes the screenshots the AppStream metainfo shows, on a private X server: the desktop
# sprite's and the settings dialog's forms as the form viewer shows them live, so that neither
# depends on driving the program there. Rerun after changing their looks and commit the images.
#   tools/take-screenshots.sh [BUILD_DIR]   (default build; vxview built there)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -x "$build/bin/vxview" ] || { echo "take-screenshots: build $build/bin/vxview first" >&2; exit 1; }
shots=docs/screenshots
work=$(mktemp -d)
program=""
xvfb=""
trap 'kill $program $xvfb 2>/dev/null; rm -rf "$work"' EXIT
fail() {
  echo "take-screenshots: $*" >&2
  exit 1
}
source tests/e2e/private_display.sh
start_private_display 1280x800x24

# Waits for a visible window titled $1 and for its look to settle (two equal dumps in a row);
# sets $window.
settle_window() {
  local previous="" current
  window=""
  for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "no window '$1' appeared"
  for _ in $(seq 50); do
    sleep 0.3
    current=$(xwd -root -silent | md5sum)
    [ "$current" = "$previous" ] && break
    previous=$current
  done
}

# A screenshot of a window's area on the screen, so that a shaped window shows what lies
# behind its transparent parts.
shoot() {
  local X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xwd -root -silent >"$work/screen.xwd"
  python3 tools/xwd-to-png.py "$work/screen.xwd" "$2" "$X" "$Y" "$WIDTH" "$HEIGHT"
}

"$build/bin/vxview" res:TFORMMAIN >"$work/sprite.log" 2>&1 &
program=$!
settle_window '^yi$'
shoot "$window" "$shots/sprite.png"
kill $program
wait $program 2>/dev/null || true
program=""

"$build/bin/vxview" res:TFCONFIG >"$work/settings.log" 2>&1 &
program=$!
settle_window '^fConfig$'
shoot "$window" "$shots/settings.png"
echo "wrote $shots/sprite.png and $shots/settings.png"
