#!/usr/bin/env bash
# The Windows build writes, byte for byte, what the Linux build writes for
# the same generated clicks.
#   same_digits_as_linux.sh LINUX_RATES_TABLE WINDOWS_RATES_TABLE.exe i686|x86_64 WINEPREFIX WORK_DIR
set -euo pipefail
linux_table=$1
windows_table=$2
arch=$3
prefix=$4
work=$5
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"

"$linux_table" --generate 100000 20261208 >"$work/clicks.tsv"
"$linux_table" <"$work/clicks.tsv" >"$work/linux.txt"
status=0
bash "$here/wine.sh" "$arch" "$prefix" "$windows_table" <"$work/clicks.tsv" >"$work/windows.txt" || status=$?
[[ $status -eq 0 ]] || exit $status
if ! cmp "$work/linux.txt" "$work/windows.txt"; then
  diff <(paste "$work/clicks.tsv" "$work/linux.txt") <(paste "$work/clicks.tsv" "$work/windows.txt") | head -20
  exit 1
fi
echo "$(wc -l <"$work/clicks.tsv") clicks: the same text on Linux and on Windows ($arch)"
