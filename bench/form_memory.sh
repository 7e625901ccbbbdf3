#!/usr/bin/env bash
# Peak memory and time of reading a large form: formconv converts a form of about 10 MB (the
# default style's parts repeated) in both directions, and a tiny form gives the fixed cost.
# Prints per direction: input bytes, peak resident bytes above the fixed cost per input byte,
# and the wall time. Usage: bench/form_memory.sh [MEGABYTES]; BUILD_DIR picks the build.
set -euo pipefail
cd "$(dirname "$0")/.."
megabytes=${1:-10}
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target formconv >/dev/null
formconv=$build/bin/formconv
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
} >"$work/big.txt"
printf 'object TvxLayout\nend\n' >"$work/tiny.txt"
"$formconv" --to-binary "$work/big.txt" "$work/big.bin"
"$formconv" --to-binary "$work/tiny.txt" "$work/tiny.bin"

# Prints "peak_kb seconds" of one conversion.
measure() {
  /usr/bin/time -f '%M %e' -o "$work/time" "$formconv" "$@" >/dev/null
  cat "$work/time"
}

for kind in text binary; do
  mode=--to-binary input=$work/big.txt tiny=$work/tiny.txt
  [ "$kind" = binary ] && mode=--to-text input=$work/big.bin tiny=$work/tiny.bin
  read -r fixed _ < <(measure "$mode" "$tiny" "$work/out")
  read -r peak seconds < <(measure "$mode" "$input" "$work/out")
  size=$(stat -c %s "$input")
  awk -v k="$kind" -v s="$size" -v p="$peak" -v f="$fixed" -v t="$seconds" 'BEGIN {
    printf "%s form: %d bytes, %.1f bytes held per input byte, %.2f s\n", k, s,
      (p - f) * 1024 / s, t
  }'
done
