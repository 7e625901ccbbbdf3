#!/usr/bin/env bash
# Peak memory and time of reading large forms: formconv converts forms of about 10 MB in both
# directions: the default style's parts repeated (the common case, also as text) and the awkward
# shapes that bench/form_shapes.py writes (long lists, many tiny properties, objects or items,
# deep nesting, long strings, counts beyond the data). A tiny form gives the fixed cost.
# Prints per form and direction: input bytes, peak resident bytes above the fixed cost per input
# byte, and the CPU seconds. With BASELINE=path/to/another/formconv both run alternately in the
# same session and both figures are printed, the baseline's first.
# Usage: bench/form_memory.sh [MEGABYTES]; BUILD_DIR picks the build.
set -euo pipefail
cd "$(dirname "$0")/.."
megabytes=${1:-10}
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target formconv >/dev/null
formconv=$build/bin/formconv
binaries=("$formconv")
[ -n "${BASELINE:-}" ] && binaries=("$BASELINE" "$formconv")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The style's top object holds the parts; its body (without the first and last line) is
# repeated inside one top object until the text reaches the size asked for.
style=resources/DEFAULTVXSTYLE.form
body=$work/body.txt
sed '1d;$d' "$style" | grep -v '^  [A-Z].* = ' >"$body"
{
  echo 'object TvxBackground'
  repeats=$(((megabytes * 1024 * 1024) / $(stat -c %s "$body") + 1))
  for _ in $(seq "$repeats"); do cat "$body"; done
  echo 'end'
} >"$work/style.txt"
printf 'object TvxLayout\nend\n' >"$work/tiny.txt"
"$formconv" --to-binary "$work/style.txt" "$work/style.bin"
"$formconv" --to-binary "$work/tiny.txt" "$work/tiny.bin"
shapes=$(python3 bench/form_shapes.py "$work" $((megabytes * 1024 * 1024)))

# Prints "peak_kb cpu_seconds exit_code" of one conversion (a refusal counts as well).
measure() {
  /usr/bin/time -f '%M %U %S %x' -o "$work/time" "$@" >/dev/null 2>&1 || true
  awk '{ printf "%d %.2f %d\n", $1, $2 + $3, $4 }' "$work/time"
}

# Prints the figures of one form in one direction for every binary.
row() {
  local label=$1 mode=$2 input=$3 tiny=$4 size figures=""
  size=$(stat -c %s "$input")
  for binary in "${binaries[@]}"; do
    read -r fixed _ < <(measure "$binary" "$mode" "$tiny" "$work/out")
    read -r peak seconds code < <(measure "$binary" "$mode" "$input" "$work/out")
    # A form far smaller than the fixed cost (one refused at once) shows its peak and exit code.
    figures+=$(awk -v s="$size" -v p="$peak" -v f="$fixed" -v t="$seconds" -v x="$code" 'BEGIN {
      if (s < 65536) printf " %5d KB exit %d %5.2f s", p, x, t
      else printf " %8.1f B/B %6.2f s", (p - f) * 1024 / s, t
    }')
  done
  printf '%-16s %-11s %10d%s\n' "$label" "$mode" "$size" "$figures"
}

printf '%-16s %-11s %10s %s\n' form direction bytes "held per input byte, CPU time"
row style-text --to-binary "$work/style.txt" "$work/tiny.txt"
for shape in style $shapes; do
  for mode in --to-binary --to-text; do
    row "$shape" "$mode" "$work/$shape.bin" "$work/tiny.bin"
  done
done
