#!/usr/bin/env bash
# Runs the raster benchmarks and prints, for each drawing, the canvas's time over plain
# QPainter's (target: at most 1.3). Repetitions run interleaved in random order and the
# medians are compared, so that load from other processes falls on both sides alike.
# With BASELINE=path/to/another/raster_bench, that program and this build's run alternately,
# ROUNDS (9) times one repetition each, and both programs' ratios are printed side by side.
set -euo pipefail
cd "$(dirname "$0")/.."

# Reads "name cpu_time" lines; prints "drawing ours plain ratio" per drawing.
ratios() {
  awk '
    {
      name = $1
      kind = (name ~ /^Ours/) ? "ours" : "plain"
      sub(/^(Ours|Plain)/, "", name)
      time[name, kind] = $2
      if (!(name in seen)) { seen[name] = 1; order[++count] = name }
    }
    END {
      for (i = 1; i <= count; ++i) {
        n = order[i]
        printf "%s %.0f %.0f %.3f\n", n, time[n, "ours"], time[n, "plain"], time[n, "ours"] / time[n, "plain"]
      }
    }'
}

if [ -z "${BASELINE:-}" ]; then
  REPETITIONS=9 bench/medians.sh raster_bench --benchmark_enable_random_interleaving=true |
    ratios | awk '
      BEGIN { printf "%-20s %12s %12s %7s\n", "drawing", "ours (ns)", "QPainter", "ratio" }
      { if ($4 > worst) worst = $4; printf "%-20s %12.0f %12.0f %7.2f\n", $1, $2, $3, $4 }
      END { printf "worst ratio %.2f (target 1.3)\n", worst }'
  exit
fi

build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target raster_bench >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# One repetition of every benchmark, as "name cpu_time" lines.
once() {
  "$1" --benchmark_format=csv --benchmark_enable_random_interleaving=true 2>/dev/null |
    awk -F, 'NR > 1 && $1 !~ /^name/ { name = $1; gsub(/"/, "", name); print name, $4 }'
}
for _ in $(seq "${ROUNDS:-9}"); do
  once "$BASELINE" >>"$work/before"
  once "$build/bin/raster_bench" >>"$work/after"
done
# Medians per benchmark, then the ratios of both programs side by side.
median() {
  sort -k1,1 -k2,2g "$1" | awk '
    { v[$1, ++n[$1]] = $2; if (!($1 in s)) { s[$1] = 1; o[++c] = $1 } }
    END { for (i = 1; i <= c; ++i) { k = o[i]; m = n[k]; print k, v[k, int((m + 1) / 2)] } }'
}
median "$work/before" | ratios >"$work/before.ratios"
median "$work/after" | ratios >"$work/after.ratios"
printf '%-20s %16s %16s\n' drawing "baseline ratio" "this ratio"
join <(sort "$work/before.ratios") <(sort "$work/after.ratios") |
  awk '{ printf "%-20s %16.2f %16.2f\n", $1, $4, $7 }'
