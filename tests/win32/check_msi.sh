#!/usr/bin/env bash
# Installs the calculator from its installer under Wine, as a person would
# (quietly, with msiexec), drives the installed copy with the test driver,
# finds the Start-menu shortcut and the uninstall entry, checks the
# installer's summary, and, given the other architecture's installer,
# that installing it replaces this one: one Tasa Efectiva on a machine.
# Then it uninstalls and checks that the files are gone. Run it on an X
# display of its own.
#   check_msi.sh i686|x86_64 WINEPREFIX INSTALLER.msi PRODUCT_CODE DRIVER.exe LAYOUT.tsv [OTHER.msi]
set -euo pipefail
arch=$1
prefix=$2
msi=$3
product_code=$4
driver=$5
layout=$6
other=${7:-}
here=$(cd "$(dirname "$0")" && pwd)

wine() { bash "$here/wine.sh" "$arch" "$prefix" "$@"; }
status=0
check() {  # MESSAGE COMMAND...
  local message=$1
  shift
  if "$@"; then echo "ok - $message"; else echo "not ok - $message"; status=1; fi
}
uninstall_entry() {  # PRODUCT_CODE: its values, in either registry view
  for view in 64 32; do
    wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{$1}" \
      /reg:$view 2>/dev/null | grep 'REG_' || true
  done
}

summary=$(msiinfo suminfo "$msi")
check "summary: the template's language is the product's, 3082, and its title Spanish" \
  grep -qzE 'Title: Instalador de Windows.*Template: (x64|Intel);3082' <<<"$summary"
check "summary: plain ASCII, as its code page 1252 reads it" \
  test -z "$(LC_ALL=C grep -n '[^ -~]' <<<"$summary" || true)"

wine msiexec /i "Z:${msi//\//\\}" /qn || exit $?  # 77: cannot run here
installed="$prefix/drive_c/Program Files/Tasa Efectiva/TasaEfectiva.exe"
check "installed in Program Files\\Tasa Efectiva" test -f "$installed"
shortcut=$(find "$prefix/drive_c" -name 'Tasa Efectiva.lnk' | head -n 1)
check "a Start-menu shortcut: ${shortcut#"$prefix/"}" test -n "$shortcut"

entry=$(uninstall_entry "$product_code")
for value in "DisplayName.*Tasa Efectiva" "Publisher.*www.tasa.example.org" \
             "DisplayVersion.*1\.0\.0"; do
  check "uninstall entry: $value" grep -qE "$value" <<<"$entry"
done
# The icon the uninstall entry shows, kept by Windows Installer.
check "uninstall entry: the program's icon" \
  test -f "$prefix/drive_c/windows/Installer/{$product_code}/TasaEfectiva.ico"

wine "$driver" 'C:\Program Files\Tasa Efectiva\TasaEfectiva.exe' "Z:${layout//\//\\}" || status=1

if [[ -n "$other" ]]; then
  other_code=$(msiinfo export "$other" Property | tr -d '\r{}' | awk '$1 == "ProductCode" { print $2 }')
  wine msiexec /i "Z:${other//\//\\}" /qn
  check "installing the other architecture's installer removes this one" \
    test ! -e "$installed" -a -z "$(uninstall_entry "$product_code")"
  check "and leaves one uninstall entry, its own" \
    grep -q "DisplayName.*Tasa Efectiva" <<<"$(uninstall_entry "$other_code")"
  check "and one shortcut" \
    test "$(find "$prefix/drive_c" -name 'Tasa Efectiva.lnk' | wc -l)" -eq 1
  msi=$other
  installed=$(find "$prefix/drive_c" -path '*Tasa Efectiva/TasaEfectiva.exe' | head -n 1)
fi

wine msiexec /x "Z:${msi//\//\\}" /qn
check "uninstalling removes the program" test ! -e "$installed"
check "and the shortcut" test -z "$(find "$prefix/drive_c" -name 'Tasa Efectiva.lnk')"
exit $status
