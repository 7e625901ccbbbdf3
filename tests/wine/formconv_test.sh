#!/usr/bin/env bash
# formconv.exe under wine converts every resource form to exactly the bytes the Linux formconv
# writes, to binary and back to text.
# Usage: formconv_test.sh FORMCONV.exe LINUX-FORMCONV RESOURCE-DIR
set -euo pipefail
windows=$(realpath "$1")
linux=$(realpath "$2")
resources=$(realpath "$3")
run=$(realpath "$(dirname "$0")/../../tools/wine-run.sh")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"  # relative names: the same on both sides of wine

failures=0
for form in "$resources"/*.form; do
  name=$(basename "$form" .form)
  cp "$form" "$name.form"
  "$linux" --to-binary "$name.form" "$name.linux.bin"
  "$run" "$windows" --to-binary "$name.form" "$name.win.bin"
  "$linux" --to-text "$name.linux.bin" "$name.linux.txt"
  "$run" "$windows" --to-text "$name.win.bin" "$name.win.txt"
  for kind in bin txt; do
    if ! cmp -s "$name.linux.$kind" "$name.win.$kind"; then
      echo "FAIL: $name: the Windows $kind differs from the Linux one"
      failures=$((failures + 1))
    fi
  done
  echo "$name: $(stat -c %s "$name.win.bin") bytes binary, $(stat -c %s "$name.win.txt") bytes text"
done
# A bad input gets the one-line error and exit 1 on Windows too.
printf 'object X: Broken\n' >bad.form
if "$run" "$windows" --to-binary bad.form bad.bin 2>err.txt; then
  echo "FAIL: a broken form was converted"
  failures=$((failures + 1))
elif [ "$(wc -l <err.txt)" -ne 1 ] || ! grep -q '^formconv: bad.form: ' err.txt; then
  echo "FAIL: the error was not one line naming the input:"
  cat err.txt
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ]
