#!/usr/bin/env bash
# Figures of the Debian package: its size and installed size, and the packaged (Release)
# program, unpacked into a scratch root, against the project's default build in the same run:
# start to the first presented frame and resident memory then, medians of 5 starts on a
# private X server as bench/sprite_figures.sh takes them. The program is timed from outside
# (from its launch until a window of it shows drawn pixels), so both run as users start them.
#   bench/package_figures.sh PACKAGE.deb [DEFAULT_BUILD]   (default build: build)
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(realpath "${1:?usage: bench/package_figures.sh PACKAGE.deb [DEFAULT_BUILD]}")
default=${2:-build}/bin/lingchuan
[ -x "$default" ] || { echo "package_figures: no $default; build the default build first" >&2; exit 1; }

work=$(mktemp -d)
app=""
xvfb=""
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT
fail() {
  echo "package_figures: $*" >&2
  exit 1
}
dpkg-deb --extract "$deb" "$work/root"
installed=$work/root/usr/bin/lingchuan
source tests/e2e/private_display.sh
start_private_display 1280x800x24

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# True once a visible window of process $1 shows a pixel brighter than the empty background.
drawn() {
  local window
  for window in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    xwd -id "$window" -silent 2>/dev/null | python3 -c '
import struct, sys
data = sys.stdin.buffer.read()
if len(data) < 100: sys.exit(1)
h = struct.unpack(">25I", data[:100])
start, bpp = h[0] + h[19] * 12, h[11] // 8
channels = range(3) if h[7] == 0 else range(bpp - 3, bpp)
sys.exit(0 if any(max(data[start + c::bpp], default=0) > 150 for c in channels) else 1)
' && return 0
  done
  return 1
}

# Prints "MS MB": from launch to the first drawn window, and resident memory then.
start_once() {
  local launch ms
  launch=$(date +%s%N)
  "$1" --dry-run >/dev/null 2>&1 &
  app=$!
  for _ in $(seq 3000); do
    drawn $app && break
    kill -0 $app 2>/dev/null || fail "$1 ended before drawing"
    sleep 0.005
  done
  ms=$((($(date +%s%N) - launch) / 1000000))
  awk -v ms="$ms" '/^VmRSS:/ { printf("%d %.1f\n", ms, $2 / 1024) }' "/proc/$app/status"
  kill $app
  wait $app 2>/dev/null || true
  app=""
}

for i in 1 2 3 4 5; do
  start_once "$installed" >>"$work/installed"
  start_once "$default" >>"$work/default"
done
in_ms=$(cut -d' ' -f1 "$work/installed" | median)
de_ms=$(cut -d' ' -f1 "$work/default" | median)
in_mb=$(cut -d' ' -f2 "$work/installed" | median)
de_mb=$(cut -d' ' -f2 "$work/default" | median)
size=$(stat -c %s "$deb")
installed_kib=$(dpkg-deb --field "$deb" Installed-Size)
awk -v im="$in_ms" -v dm="$de_ms" -v imb="$in_mb" -v dmb="$de_mb" -v size="$size" \
  -v inst="$installed_kib" -v ib="$(stat -c %s "$installed")" -v db="$(stat -c %s "$default")" '
  BEGIN {
    printf("package                %7.1f KiB   installed size %d KiB\n", size / 1024, inst)
    printf("program file           packaged %7.1f MiB   default build %7.1f MiB   ratio %.2f\n",
           ib / 1048576, db / 1048576, db > 0 ? ib / db : 0)
    printf("start to first frame   packaged %7.1f ms    default build %7.1f ms    ratio %.2f\n",
           im, dm, dm > 0 ? im / dm : 0)
    printf("resident after start   packaged %7.1f MB    default build %7.1f MB    ratio %.2f\n",
           imb, dmb, dmb > 0 ? imb / dmb : 0)
  }'
