#!/usr/bin/env bash
# The real program on a real X server: its window appears with the right
# size and caption, is painted, computes the worked example as a person
# types it, is photographed, and closing it ends the program with exit
# code 0.
#   x11_window_test.sh WINDOW_PROBE PROGRAM SCREENSHOT.png [EMULATOR...]
# The program runs under EMULATOR when one is given (another processor's).
set -euo pipefail
probe=$1
program=$2
screenshot=$3
shift 3
answer=${screenshot%.png}.answer
rm -f "$answer"

# From N.Anual, which has the focus at start: Tab to the periods, 12, to the
# monthly rate, 1, to N.Anual and press it; Tab to the annual box and copy
# its text, then read the clipboard through the X server once it holds
# the copy.
keys="xdotool search --sync --name 'www.tasa.example.org' windowfocus --sync &&
  xdotool key Tab Tab Tab Tab && xdotool type 12 && xdotool key Tab && xdotool type 1 &&
  xdotool key Tab space Tab Tab Tab ctrl+a ctrl+c &&
  timeout 60 bash -c 'until [[ -n \$(xclip -o -selection clipboard 2>/dev/null) ]]; do
    sleep 0.1; done' && xclip -o -selection clipboard >'$answer'"
result=$(xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -nolisten tcp" \
  "$probe" --title "  www.tasa.example.org" --screenshot "$screenshot" --first "$keys" \
  -- "$@" "$program")
echo "$result"
[[ "$result" == *"width=286 height=249 exit=0"* ]] || { echo "unexpected window"; exit 1; }
[[ -s "$screenshot" ]] || { echo "no screenshot"; exit 1; }
[[ $(cat "$answer" 2>/dev/null) == 12,682503013197 ]] ||
  { echo "the worked example shows '$(cat "$answer" 2>/dev/null)', not 12,682503013197"; exit 1; }
