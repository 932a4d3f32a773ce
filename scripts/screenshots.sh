#!/usr/bin/env bash
# Remakes the README's pictures: each window as a person leaves it after
# typing 0,01 % a year over 365 periods and pressing N.Mensual, the desktop
# windows on an X display of their own, the web page in headless chromium
# on a desktop and on a phone-sized screen. After scripts/test.sh, which
# builds the programs, the Wine prefixes and the page.
#   screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
probe=$PWD/build/release/tests/window_probe
tests=$PWD/tests/win32
caption="  www.tasa.example.org"
# From N.Anual, which has the focus at start: Tab to the annual box, type,
# Tab to the periods, type, then Tab round to N.Mensual and press it.
keys="sleep 1; xdotool search --name 'www.tasa.example.org' windowfocus --sync;
  xdotool key Tab Tab Tab; xdotool type --delay 50 0,01;
  xdotool key Tab; xdotool type --delay 50 365; xdotool key Tab Tab Tab space;
  sleep 1"

on_display() {  # COMMAND...: on an X display of its own
  xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -nolisten tcp" "$@"
}

on_display "$probe" --title "$caption" --screenshot docs/window.png --first "$keys" \
  -- build/release/window/qt/tasa-efectiva
for dpi in 96 144; do
  prefix=$PWD/build/win64/tests/win32/wineprefix-$dpi
  bash "$tests/wine.sh" x86_64 "$prefix" reg add 'HKCU\Control Panel\Desktop' \
    /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  WINEPREFIX=$prefix /usr/lib/wine/wineserver64 -w  # its desktop had no display
  picture=docs/window-win32.png
  [[ $dpi == 96 ]] || picture=docs/window-win32-150.png
  on_display "$probe" --title "$caption" --screenshot "$picture" --first "$keys" \
    -- /usr/bin/env WINEPREFIX="$prefix" WINEDEBUG=-all /usr/lib/wine/wine64 \
    build/win64/window/win32/TasaEfectiva.exe
  WINEPREFIX=$prefix /usr/lib/wine/wineserver64 -w
done
node scripts/web/screenshots.mjs build/web/site docs
