#!/usr/bin/env bash
# Runs the Windows test driver against the Windows calculator under Wine, on
# a private Xvfb display.
#   run_under_wine.sh i686|x86_64 WINEPREFIX DRIVER.exe CALCULATOR.exe
set -euo pipefail
arch=$1
prefix=$2
driver=$3
calculator=$4
here=$(cd "$(dirname "$0")" && pwd)

if [[ -z "${INSIDE_XVFB:-}" ]]; then
  INSIDE_XVFB=1 exec xvfb-run --auto-servernum \
    --server-args="-screen 0 1024x768x24 -nolisten tcp" bash "$0" "$@"
fi
bash "$here/wine.sh" "$arch" "$prefix" "$driver" "Z:${calculator//\//\\}"
