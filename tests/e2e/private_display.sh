# Sourced by the real-display tests: starts a private X server, so a test neither needs nor
# disturbs the user's display, and gives the program a runtime folder of its own (where its
# single-instance name lives). Needs $work and a fail function; sets $xvfb for the caller's trap.
start_private_display() {
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$work/display")"
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  unset QT_QPA_PLATFORM
}

# The usual start of a real-display test: a scratch folder $work and a private display of the
# given size; on exit the process in $app (when there is one), the display and the folder go.
# Defines fail, which also prints the viewer's trace and errors when they were written.
begin_display_test() {
  work=$(mktemp -d)
  app="" xvfb=""
  trap 'kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT
  fail() {
    echo "FAIL: $*"
    [ -s "$work/trace.txt" ] && echo "trace: $(tr '\n' ';' <"$work/trace.txt")"
    [ -s "$work/errors.txt" ] && echo "errors: $(tr '\n' ';' <"$work/errors.txt")"
    exit 1
  }
  start_private_display "$1"
}

# Prints the first visible window whose title matches the pattern, waiting up to ten seconds;
# prints nothing when none appears.
await_window() {
  local found=""
  for _ in $(seq 100); do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    [ -n "$found" ] && break
    sleep 0.1
  done
  echo "$found"
}

# Reads the window's pixels until `python3 CHECK FILE.xwd` passes: the first frame follows the
# window on a posted request, so a slow machine gets a few tries. Fails with the check's last
# words after three seconds.
await_pixels() {
  local window=$1 check=$2 what=$3
  for _ in $(seq 30); do
    xwd -id "$window" -silent >"$work/window.xwd" || fail "cannot read the pixels of $what"
    python3 "$check" "$work/window.xwd" >"$work/check.txt" && return 0
    sleep 0.1
  done
  fail "$what: $(tr '\n' ';' <"$work/check.txt")"
}

# Fails unless the window has a bounding shape inside LEFT TOP RIGHT BOTTOM (window pixels);
# leaves the shape's width in $shape_width.
shape_inside() {
  local window=$1 extents sw sh sx sy
  extents=$(xwininfo -shape -id "$window" | grep "Window shape extents")
  read -r sw sh sx sy < <(sed -n 's/.*extents: *\([0-9]*\)x\([0-9]*\)+\([0-9]*\)+\([0-9]*\).*/\1 \2 \3 \4/p' <<<"$extents")
  [ -n "${sh:-}" ] || fail "the window has no bounding shape: $extents"
  [ "$sx" -ge "$2" ] && [ "$sy" -ge "$3" ] && [ $((sx + sw)) -le "$4" ] && [ $((sy + sh)) -le "$5" ] ||
    fail "the window's shape is not inside its body: $sx,$sy ${sw}x$sh"
  shape_width=$sw
}

# Fails unless a right press at X Y (screen pixels) opens a menu: a new visible window.
right_press_opens_menu() {
  local before
  before=$(xdotool search --onlyvisible --name '' | wc -l)
  xdotool mousemove "$1" "$2" mousedown 3 sleep 0.1 mouseup 3
  for _ in $(seq 30); do
    [ "$(xdotool search --onlyvisible --name '' | wc -l)" -gt "$before" ] && return 0
    sleep 0.1
  done
  fail "a right press on $3 opened no menu"
}

# Picks "退出" in the program's open menu, the last item, which Up from no selection reaches,
# and fails unless the program in $app then ends with 0.
quit_from_menu() {
  local status
  xdotool key Up sleep 0.1 key Return
  for _ in $(seq 50); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
  kill -0 $app 2>/dev/null && fail "the program is still running after 退出"
  wait $app
  status=$?
  app=""
  [ $status -eq 0 ] || fail "the program exited with $status"
}
