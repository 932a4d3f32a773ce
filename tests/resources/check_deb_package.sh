#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks it as a person
# installing it would meet it: its contents and control fields, lintian,
# the desktop entry and metainfo once extracted, and that the extracted
# program starts, shows its window and ends with exit code 0 (under
# EMULATOR, when given, for another processor's package).
#   check_deb_package.sh BUILD_DIR WINDOW_PROBE WORK_DIR [EMULATOR...]
set -euo pipefail
build=$1
probe=$2
work=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
deb=$(ls "$work"/tasa-efectiva_*.deb)
arch=$(dpkg-deb -f "$deb" Architecture)
status=0
fail() { echo "$1"; status=1; }

id=org.example.tasa.TasaEfectiva
contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for file in usr/bin/tasa-efectiva usr/share/applications/$id.desktop \
            usr/share/metainfo/$id.metainfo.xml usr/share/man/man1/tasa-efectiva.1.gz \
            usr/share/doc/tasa-efectiva/copyright usr/share/doc/tasa-efectiva/changelog.gz \
            usr/share/icons/hicolor/{16x16,32x32,48x48,256x256}/apps/$id.png \
            usr/share/icons/hicolor/scalable/apps/$id.svg; do
  grep -qxF "./$file" <<<"$contents" || fail "missing from the package: $file"
done
[[ $(dpkg-deb -f "$deb" Package) == tasa-efectiva ]] || fail "package name"
[[ $(dpkg-deb -f "$deb" Version) == 1.0.0 ]] || fail "version"
# Worked out from the binary by dpkg-shlibdeps, not written by hand;
# libquadmath (LGPL), which x86-64 needs, is Debian's shared library, not
# linked in.
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6 (>=' <<<"$depends" || fail "run-time dependencies"
[[ $arch != amd64 ]] || grep -q 'libquadmath0 (>=' <<<"$depends" ||
  fail "libquadmath as Debian's shared library"

complaints=$(lintian "$deb" 2>/dev/null | grep -E '^[EW]: ' || true)
[[ -z "$complaints" ]] || fail "lintian: $complaints"

root=$work/root
dpkg-deb -x "$deb" "$root"
# Hardened as Debian's own packages. The code is built with control-flow
# protection (-fcf-protection, on arm64 -mbranch-protection), but Debian
# 12's start-up files (glibc's Scrt1.o and crti.o) carry no control-flow
# marking, so no program linked on it can: the instructions are counted.
hardening-check --nocfprotection "$root/usr/bin/tasa-efectiva" || fail "hardening"
pads=(objdump endbr64)
[[ $arch != arm64 ]] || pads=(aarch64-linux-gnu-objdump 'bti|paciasp')
[[ $("${pads[0]}" -d "$root/usr/bin/tasa-efectiva" | grep -cwE "${pads[1]}") -gt 100 ]] ||
  fail "built with control-flow protection"
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "metainfo"
bash "$here/../x11/x11_window_test.sh" "$probe" "$root/usr/bin/tasa-efectiva" \
  "$work/extracted-program.png" "$@" || fail "the extracted program"
exit $status
