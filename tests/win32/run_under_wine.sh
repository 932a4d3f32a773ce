#!/usr/bin/env bash
# Runs the Windows test driver against the Windows calculator under Wine, on
# a private Xvfb display and in a Wine prefix of its own.
#   run_under_wine.sh WINEPREFIX DRIVER.exe CALCULATOR.exe
set -euo pipefail
export WINEPREFIX=$1
driver=$2
calculator=$3
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko prompts

if [[ -z "${INSIDE_XVFB:-}" ]]; then
  INSIDE_XVFB=1 exec xvfb-run --auto-servernum \
    --server-args="-screen 0 1024x768x24 -nolisten tcp" bash "$0" "$@"
fi

mkdir -p "$WINEPREFIX"
wineboot --init >/dev/null 2>&1 || true
status=0
wine "$driver" "$(winepath -w "$calculator")" || status=$?
wineserver --kill 2>/dev/null || true
exit $status
