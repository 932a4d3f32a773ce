#!/usr/bin/env bash
# Installs the calculator from its installer under Wine, as a person would
# (quietly, with msiexec), drives the installed copy with the test driver,
# finds the Start-menu shortcut and the uninstall entry, then uninstalls it
# and checks that the files are gone. Run it on an X display of its own.
#   check_msi.sh i686|x86_64 WINEPREFIX INSTALLER.msi PRODUCT_CODE DRIVER.exe
set -euo pipefail
arch=$1
prefix=$2
msi=$3
product_code=$4
driver=$5
here=$(cd "$(dirname "$0")" && pwd)

wine() { bash "$here/wine.sh" "$arch" "$prefix" "$@"; }
status=0
check() {  # MESSAGE COMMAND...
  local message=$1
  shift
  if "$@"; then echo "ok - $message"; else echo "not ok - $message"; status=1; fi
}

wine msiexec /i "Z:${msi//\//\\}" /qn || exit $?  # 77: cannot run here
installed="$prefix/drive_c/Program Files/Tasa Efectiva/TasaEfectiva.exe"
check "installed in Program Files\\Tasa Efectiva" test -f "$installed"
shortcut=$(find "$prefix/drive_c" -name 'Tasa Efectiva.lnk' | head -n 1)
check "a Start-menu shortcut: ${shortcut#"$prefix/"}" test -n "$shortcut"

entry=$(wine reg query \
  "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{$product_code}" 2>/dev/null || true)
for value in "DisplayName.*Tasa Efectiva" "Publisher.*www.tasa.example.org" \
             "DisplayVersion.*1\.0\.0"; do
  check "uninstall entry: $value" grep -qE "$value" <<<"$entry"
done
# The icon the uninstall entry shows, kept by Windows Installer.
check "uninstall entry: the program's icon" \
  test -f "$prefix/drive_c/windows/Installer/{$product_code}/TasaEfectiva.ico"

wine "$driver" 'C:\Program Files\Tasa Efectiva\TasaEfectiva.exe' || status=1

wine msiexec /x "Z:${msi//\//\\}" /qn
check "uninstalling removes the program" test ! -e "$installed"
check "and the shortcut" test -z "$(find "$prefix/drive_c" -name 'Tasa Efectiva.lnk')"
exit $status
