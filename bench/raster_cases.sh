#!/usr/bin/env bash
# Times the four drawings of raster_cases (scaled bitmap, gradient rounded rectangle, Chinese
# text, arc) through the Qt canvas on Linux and through the GDI+ canvas of the Windows build
# under wine, and prints both with their ratio. Informative only: wine's GDI+ is not Windows'.
# Both runs alternate ROUNDS (5) times and the medians are compared, so that load from other
# processes falls on both sides alike. COUNT (200) drawings per timing.
# BUILD_DIR (build) and WIN_BUILD_DIR (build-win) name the builds; both must exist.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
winbuild=${WIN_BUILD_DIR:-build-win}
count=${COUNT:-200}
cmake --build "$build" -j2 --target raster_cases >/dev/null
cmake --build "$winbuild" -j2 --target raster_cases >/dev/null
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-/tmp/wine-raster-cases}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for _ in $(seq "${ROUNDS:-5}"); do
  QT_QPA_PLATFORM=offscreen "$build/bin/raster_cases" "$count" >>"$work/qt"
  wine "$winbuild/bin/raster_cases.exe" "$count" | tr -d '\r' >>"$work/gdiplus"
done
median() {
  sort -k1,1 -k2,2g "$1" | awk '
    { v[$1, ++n[$1]] = $2; if (!($1 in s)) { s[$1] = 1; o[++c] = $1 } }
    END { for (i = 1; i <= c; ++i) { k = o[i]; print k, v[k, int((n[k] + 1) / 2)] } }'
}
printf '%-22s %14s %14s %8s\n' drawing "Qt (ns)" "GDI+ wine (ns)" ratio
join <(median "$work/qt" | sort) <(median "$work/gdiplus" | sort) |
  awk '{ printf "%-22s %14.0f %14.0f %8.2f\n", $1, $2, $3, $3 / $2 }'
