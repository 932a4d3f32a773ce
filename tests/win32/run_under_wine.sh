#!/usr/bin/env bash
# Runs the Windows test driver against the Windows calculator under Wine, on
# a private Xvfb display, with the screen at DPI dots per inch.
#   run_under_wine.sh i686|x86_64 WINEPREFIX DPI DRIVER.exe CALCULATOR.exe
set -euo pipefail
arch=$1
prefix=$2
dpi=$3
driver=$4
calculator=$5
here=$(cd "$(dirname "$0")" && pwd)

if [[ -z "${INSIDE_XVFB:-}" ]]; then
  INSIDE_XVFB=1 exec xvfb-run --auto-servernum \
    --server-args="-screen 0 1280x1024x24 -nolisten tcp" bash "$0" "$@"
fi
bash "$here/wine.sh" "$arch" "$prefix" reg add 'HKCU\Control Panel\Desktop' \
  /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
bash "$here/wine.sh" "$arch" "$prefix" "$driver" "Z:${calculator//\//\\}"
