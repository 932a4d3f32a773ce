#!/usr/bin/env bash
# The real program on a real X server: its window appears with the right
# size and caption, is painted, is photographed, and closing it ends the
# program with exit code 0.
#   x11_window_test.sh WINDOW_PROBE PROGRAM SCREENSHOT.png
set -euo pipefail
probe=$1
program=$2
screenshot=$3

result=$(xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -nolisten tcp" \
  "$probe" --title "  www.tasa.example.org" --screenshot "$screenshot" -- "$program")
echo "$result"
[[ "$result" == *"width=286 height=249 exit=0"* ]] || { echo "unexpected window"; exit 1; }
[[ -s "$screenshot" ]] || { echo "no screenshot"; exit 1; }
