#!/usr/bin/env bash
# Another build writes, byte for byte, what the Linux x86-64 build writes
# for the same 10^5 generated clicks: a Windows executable under Wine, the
# aarch64 build under qemu-user, the WebAssembly build under node.
#   same_digits_as_linux.sh LINUX_RATES_TABLE WORK_DIR NAME COMMAND [ARGUMENTS...]
# COMMAND runs the other build's rates_table; its exit code 77 (cannot run
# here) is passed on, for CTest to count the test as skipped.
set -euo pipefail
linux_table=$1
work=$2
name=$3
shift 3
mkdir -p "$work"

"$linux_table" --generate 100000 20261208 >"$work/clicks.tsv"
"$linux_table" <"$work/clicks.tsv" >"$work/linux.txt"
status=0
"$@" <"$work/clicks.tsv" >"$work/other.txt" || status=$?
[[ $status -eq 0 ]] || exit $status
if ! cmp "$work/linux.txt" "$work/other.txt"; then
  diff <(paste "$work/clicks.tsv" "$work/linux.txt" | cut -c1-300) \
    <(paste "$work/clicks.tsv" "$work/other.txt" | cut -c1-300) | head -20
  exit 1
fi
echo "$(wc -l <"$work/clicks.tsv") clicks: the same text on Linux x86-64 and on $name"
