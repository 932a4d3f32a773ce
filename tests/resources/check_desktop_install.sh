#!/usr/bin/env bash
# Installs into a scratch prefix and validates the desktop integration.
#   check_desktop_install.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1
prefix=$2/prefix
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.example.tasa.TasaEfectiva
status=0
for file in bin/tasa-efectiva \
            share/applications/$id.desktop \
            share/metainfo/$id.metainfo.xml \
            share/icons/hicolor/16x16/apps/$id.png \
            share/icons/hicolor/32x32/apps/$id.png \
            share/icons/hicolor/48x48/apps/$id.png \
            share/icons/hicolor/256x256/apps/$id.png \
            share/icons/hicolor/scalable/apps/$id.svg; do
  if [[ ! -s "$prefix/$file" ]]; then
    echo "not installed: $file"
    status=1
  fi
done
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
exit $status
