#!/usr/bin/env bash
# Holds the manual page and the AppStream metainfo to the program they describe: the options
# `--help` prints, the exit status of a refused argument, the single-instance lock file the
# program really takes (on a private X server), the version, and the screenshots and entry
# they name. Fails on any disagreement, so neither text can fall behind the program.
#   tests/docs/docs_test.sh PROGRAM VERSION
set -uo pipefail
program=$1
version=$2
here=$(cd "$(dirname "$0")" && pwd)
tree=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
app=""
xvfb=""
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The page as a reader sees it, without hyphenation or adjusted spacing.
scdoc <"$tree/docs/lingchuan.1.scd" >"$work/lingchuan.1" || fail "scdoc rejects the page"
LC_ALL=C.UTF-8 MANWIDTH=200 man --warnings -E UTF-8 -l "$work/lingchuan.1" \
  2>"$work/warnings" | col -b >"$work/page.txt"
[ -s "$work/warnings" ] && fail "the page renders with warnings: $(cat "$work/warnings")"
section() { awk -v name="$1" '/^[A-Z]/ { on = ($0 == name) } on' "$work/page.txt"; }

# Each option `--help` names is described, and each described option exists.
"$program" --help | grep -oE -- '(^|[ ,\[])--?[a-z-]+' | tr -d ' ,[' | sort -u >"$work/help.options"
section OPTIONS | grep -oE -- '^ +--?[a-z-]+(, --?[a-z-]+)*' | grep -oE -- '--?[a-z-]+' |
  sort -u >"$work/page.options"
[ -s "$work/help.options" ] || fail "--help names no options"
diff "$work/help.options" "$work/page.options" >"$work/options.diff" ||
  fail "options of --help (<) and of the page (>) differ: $(grep '^[<>]' "$work/options.diff" | tr '\n' ' ')"

# The status the page gives for an unknown argument is the one the program returns.
"$program" --no-such-option >/dev/null 2>&1
refused=$?
section "EXIT STATUS" | grep -A1 -E "^ +$refused\$" | grep -q "unknown argument" ||
  fail "the page does not give $refused as the status of an unknown argument"

# The lock file the page names is the one the running program holds.
documented=$(section "SINGLE INSTANCE" | grep -oE '\$XDG_RUNTIME_DIR/lingchuan-[0-9a-f]+-UID\.lock' | head -n 1)
[ -n "$documented" ] || fail "the page names no lock file"
source "$tree/tests/e2e/private_display.sh"
start_private_display 1024x768x24
"$program" --dry-run >"$work/app.log" 2>&1 &
app=$!
lock=$XDG_RUNTIME_DIR/${documented#\$XDG_RUNTIME_DIR/}
lock=${lock%UID.lock}$(id -u).lock
for _ in $(seq 100); do [ -e "$lock" ] && break; sleep 0.1; done
[ -e "$lock" ] || fail "the program holds no $lock; it made: $(ls "$XDG_RUNTIME_DIR" | tr '\n' ' ')"
[ -S "${lock%.lock}.socket" ] || fail "no socket beside the lock file"

# The metainfo's version, entry, program and screenshots are those of the tree.
metainfo=$tree/resources/lingchuan.metainfo.xml
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
entry=$(sed -n 's#.*<launchable type="desktop-id">\(.*\)</launchable>.*#\1#p' "$metainfo")
[ -f "$tree/resources/$entry" ] || fail "the metainfo launches '$entry', not a desktop entry of the tree"
binary=$(sed -n 's#.*<binary>\(.*\)</binary>.*#\1#p' "$metainfo")
[ "$binary" = "$(basename "$program")" ] || fail "the metainfo provides '$binary'"
shots=$(sed -n 's#.*<image>\(.*\)</image>.*#\1#p' "$metainfo")
[ -n "$shots" ] || fail "the metainfo shows no screenshots"
for shot in $shots; do
  head -c 8 "$tree/$shot" 2>/dev/null | od -An -tx1 | tr -d ' \n' | grep -qx 89504e470d0a1a0a ||
    fail "screenshot $shot is no PNG image of the tree"
done
if command -v appstreamcli >/dev/null; then
  sed 's#<image>docs/#<image>https://screenshots.invalid/docs/#' "$metainfo" >"$work/lingchuan.metainfo.xml"
  appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
    "$work/lingchuan.metainfo.xml" >"$work/appstream" 2>&1 || fail "metainfo: $(cat "$work/appstream")"
fi

[ $failures -eq 0 ] || exit 1
echo "the page's options, exit status and lock file and the metainfo agree with the program"
