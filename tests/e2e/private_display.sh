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
