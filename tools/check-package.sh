#!/usr/bin/env bash
# Checks a built Debian package as a user's system would meet it: its name, fields and
# dependencies, exactly the files it should hold with their owners and modes, a stripped
# program, the desktop entry, the metainfo and the manual page as their validators see them,
# and the program started from a scratch root (never installed into this system).
#   tools/check-package.sh lingchuan_VERSION_ARCH.deb
set -uo pipefail
deb=${1:?usage: tools/check-package.sh PACKAGE.deb}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

field() { dpkg-deb --field "$deb" "$1"; }

[ -f "$deb" ] || { echo "FAIL: no package $deb"; exit 1; }
version=$(field Version)
arch=$(field Architecture)
[ "$(basename "$deb")" = "lingchuan_${version}_${arch}.deb" ] ||
  fail "package file $(basename "$deb") is not named lingchuan_${version}_${arch}.deb"
[ "$(field Package)" = lingchuan ] || fail "package name is $(field Package)"
[ "$arch" = "$(dpkg --print-architecture)" ] || fail "architecture $arch"
depends=$(field Depends)
# Computed from the program's libraries, so the C library and Qt's must be among them.
tr ',' '\n' <<<"$depends" | awk '{ print $1 }' >"$work/depends"
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libxcb1; do
  grep -qxF -e "$library" -e "${library}t64" "$work/depends" || fail "Depends lacks $library: $depends"
done
[ -n "$(field Description)" ] || fail "no Description"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"

expected=(
  ./usr/bin/lingchuan
  ./usr/share/applications/lingchuan.desktop
  ./usr/share/doc/lingchuan/copyright
  ./usr/share/man/man1/lingchuan.1.gz
  ./usr/share/metainfo/lingchuan.metainfo.xml
)
for size in 16 24 32 48 64 128 256; do
  expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/lingchuan.png")
done
dpkg-deb --contents "$deb" >"$work/contents"
awk '$1 !~ /^d/ { print $6 }' "$work/contents" | sort >"$work/files"
printf '%s\n' "${expected[@]}" | sort >"$work/expected"
diff -u "$work/expected" "$work/files" >"$work/files.diff" ||
  fail "the package's files differ from the expected list: $(grep '^[-+]\./' "$work/files.diff" | tr '\n' ' ')"
awk '$2 != "root/root" { print $6 " " $2 }' "$work/contents" | grep . &&
  fail "files not owned by root"
awk '$1 !~ /^d/ && $6 != "./usr/bin/lingchuan" && $1 != "-rw-r--r--" { print $6 " " $1 }' \
  "$work/contents" | grep . && fail "data files not mode 644"
grep -q '^-rwxr-xr-x .* \./usr/bin/lingchuan$' "$work/contents" || fail "program not mode 755"

root=$work/root
dpkg-deb --extract "$deb" "$root" || { echo "FAIL: cannot unpack $deb"; exit 1; }
program=$root/usr/bin/lingchuan
readelf -S "$program" | grep -q '\.debug_info' && fail "program is not stripped"
got=$("$program" --version 2>&1)
[ "$got" = "lingchuan $version" ] || fail "--version from the scratch root prints '$got'"
"$program" --no-such-option >/dev/null 2>&1
[ $? -eq 2 ] || fail "an unknown option does not exit with 2"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/lingchuan.desktop" || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
  # The id is the file name Debian's tools look for, not a reverse domain name; screenshots
  # named by their place in the tree get a stand-in web address so the rest is validated.
  sed 's#<image>docs/#<image>https://screenshots.invalid/docs/#' \
    "$root/usr/share/metainfo/lingchuan.metainfo.xml" >"$work/lingchuan.metainfo.xml"
  appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
    "$work/lingchuan.metainfo.xml" >"$work/appstream" 2>&1 ||
    fail "metainfo: $(cat "$work/appstream")"
fi
page=$root/usr/share/man/man1/lingchuan.1.gz
if gzip -t "$page" 2>/dev/null; then
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>"$work/man.warnings" >"$work/man.txt"
  [ -s "$work/man.warnings" ] && fail "manual page warnings: $(cat "$work/man.warnings")"
  grep -q -- '--dry-run' "$work/man.txt" || fail "manual page lacks --dry-run"
else
  fail "manual page is not gzip data"
fi
head -n 1 "$root/usr/share/doc/lingchuan/copyright" |
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "copyright file is not in the machine-readable format"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) of $deb failed"
  exit 1
fi
echo "package $(basename "$deb") ok: $(stat -c %s "$deb") bytes, installed size $(field Installed-Size) KiB"
