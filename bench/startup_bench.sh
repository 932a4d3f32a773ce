#!/usr/bin/env bash
# Start-up time (process start to first painted window) and peak resident
# memory of the calculator against the bare Qt floor, under one Xvfb server,
# runs interleaved, medians of RUNS runs each.
#   startup_bench.sh WINDOW_PROBE CALCULATOR FLOOR [RUNS]
set -euo pipefail
if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -nolisten tcp" \
    bash "$0" "$@"
fi
probe=$1
calculator=$2
floor=$3
runs=${4:-15}

field() { local rest=${2#*"$1"=}; echo "${rest%% *}"; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

declare -A paint_ms rss_kb
"$probe" -- "$calculator" >/dev/null 2>&1; "$probe" -- "$floor" >/dev/null 2>&1  # warm caches
for ((i = 0; i < runs; ++i)); do
  for name in calculator floor; do
    program=$calculator
    [[ $name == floor ]] && program=$floor
    line=$("$probe" -- "$program" 2>/dev/null)
    paint_ms[$name]+="$(field paint_ms "$line")"$'\n'
    rss_kb[$name]+="$(field maxrss_kb "$line")"$'\n'
  done
done

calc_ms=$(printf '%s' "${paint_ms[calculator]}" | median)
floor_ms=$(printf '%s' "${paint_ms[floor]}" | median)
calc_kb=$(printf '%s' "${rss_kb[calculator]}" | median)
floor_kb=$(printf '%s' "${rss_kb[floor]}" | median)

printf '%-12s %14s %16s\n' "" "first paint" "peak resident"
printf '%-12s %11.1f ms %13d KB\n' calculator "$calc_ms" "$calc_kb"
printf '%-12s %11.1f ms %13d KB\n' "Qt floor" "$floor_ms" "$floor_kb"
awk -v c="$calc_ms" -v f="$floor_ms" -v ck="$calc_kb" -v fk="$floor_kb" -v n="$runs" 'BEGIN {
  printf "start-up %.3fx the floor (target 1.00x), memory %+d KB (target +1024 KB), medians of %d runs\n",
         c / f, ck - fk, n }'
