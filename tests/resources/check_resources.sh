#!/usr/bin/env bash
# Checks the Windows resources, read back with the MinGW windres: from the
# resource script once compiled, or from a built executable.
#   check_resources.sh WINDRES tasa-efectiva.rc|TasaEfectiva.exe WORK_DIR
set -euo pipefail
windres=$1
input=$2
work=$3
mkdir -p "$work"

if [[ "$input" == *.rc ]]; then
  # The script uses no Windows headers, so the host's C preprocessor will do.
  "$windres" --preprocessor cpp -O res -i "$input" -o "$work/resources.res"
  "$windres" --preprocessor cpp -O coff -i "$input" -o "$work/resources.o"
  "$windres" -i "$work/resources.res" -O rc >"$work/decompiled.rc"
else
  "$windres" -i "$input" -O rc >"$work/decompiled.rc"
fi

status=0
expect() {
  if ! grep -qF -- "$1" "$work/decompiled.rc"; then
    echo "missing from the resources of $input: $1"
    status=1
  fi
}
expect 'LANGUAGE 10, 3'
expect '1 14 /* RT_GROUP_ICON */'
expect '2 14 /* RT_GROUP_ICON */'
expect '"\040\040\002\000", 1, 1, 0x130L, 30001'
expect '"\040\040\020\000", 1, 4, 0x2e8L, 30002'
expect '"\020\020\020\000", 1, 4, 0x128L, 30003'
for id in 30001 30002 30003; do expect "$id 3 /* RT_ICON */"; done
expect '1 VERSIONINFO'
expect 'FILEVERSION 1, 0, 0, 0'
expect 'PRODUCTVERSION 1, 0, 0, 0'
expect 'BLOCK "0C0A04B0"'
expect 'VALUE "FileVersion", "1.00"'
expect 'VALUE "ProductVersion", "1.00"'
expect 'VALUE "Translation", 0xc0a, 1200'
expect 'L"Conversi\363n'
expect '1 24 /* RT_MANIFEST */'
exit $status
