#!/usr/bin/env bash
# The committed icon files are exactly what make_icons draws today.
#   check_icons_remade.sh MAKE_ICONS ICON_DIR WORK_DIR
set -euo pipefail
make_icons=$1
icons=$2
work=$3
rm -rf "$work"
"$make_icons" "$work"
status=0
for file in tasa-efectiva.ico tasa-efectiva.svg icon-group-1.bin \
            tasa-efectiva-16.argb tasa-efectiva-32.argb tasa-efectiva-48.argb \
            icon-30001.bin icon-30002.bin icon-30003.bin; do
  if ! cmp -s "$work/$file" "$icons/$file"; then
    echo "$file differs from what make_icons draws: remake the icons"
    status=1
  fi
done
exit $status
