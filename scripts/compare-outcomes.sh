#!/usr/bin/env bash
# Compares, click by click, whether the arithmetic of an earlier commit and
# that of the working tree give a value or an error (and which), on COUNT
# generated clicks. Prints how many clicks changed, from what to what, and
# a few of each.
#   scripts/compare-outcomes.sh OLD_COMMIT [COUNT]
# OLD_COMMIT needs the rates_table tool (tests/exact/rates_table.cpp);
# 2088c4e is the last commit with the double-precision arithmetic.
set -euo pipefail
cd "$(dirname "$0")/.."
old_commit=$1
count=${2:-1000000}
work=$(mktemp -d)
trap 'git worktree remove --force "$work/old" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

git worktree add --detach "$work/old" "$old_commit" >/dev/null
for tree in "$work/old" .; do
  cmake -S "$tree" -B "$tree/build/outcomes" -DCMAKE_BUILD_TYPE=Release \
    -DTASA_BUILD_QT=OFF -DTASA_BUILD_BENCH=OFF >/dev/null
  cmake --build "$tree/build/outcomes" --parallel "$(nproc)" --target rates_table >/dev/null
done
table=build/outcomes/tests/exact/rates_table
"$table" --generate "$count" 2026 >"$work/clicks.tsv"
"$work/old/$table" <"$work/clicks.tsv" >"$work/old.txt"
"$table" <"$work/clicks.tsv" >"$work/new.txt"

paste "$work/clicks.tsv" "$work/old.txt" "$work/new.txt" | awk -F'\t' '
  function outcome(text) { return text ~ /^error/ ? text : "value" }
  {
    change = outcome($4) " -> " outcome($5)
    if (outcome($4) == outcome($5)) next
    changed[change]++
    total++
    if (shown[change]++ < 4) example[change] = example[change] "    " $1 " " $2 " over " $3 ": " $4 " -> " $5 "\n"
  }
  END {
    printf "%d clicks, %d with another outcome\n", NR, total
    for (c in changed) { printf "  %s: %d\n%s", c, changed[c], example[c] }
  }'
