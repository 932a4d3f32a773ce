#!/usr/bin/env bash
# Runs the Windows test driver against the Windows calculator under Wine,
# with the screen at DPI dots per inch. Run it on an X display of its own.
#   run_under_wine.sh i686|x86_64 WINEPREFIX DPI DRIVER.exe CALCULATOR.exe LAYOUT.tsv
set -euo pipefail
arch=$1
prefix=$2
dpi=$3
driver=$4
calculator=$5
layout=$6
here=$(cd "$(dirname "$0")" && pwd)

bash "$here/wine.sh" "$arch" "$prefix" reg add 'HKCU\Control Panel\Desktop' \
  /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
bash "$here/wine.sh" "$arch" "$prefix" "$driver" "Z:${calculator//\//\\}" "Z:${layout//\//\\}"
