#!/usr/bin/env bash
# Builds what is shipped a second time, from a fresh clone of this commit
# in another folder (other paths, other file times, another time of day),
# and compares it byte for byte with what the builds in build/ made: the
# Debian package, both Windows executables and both installers.
#   check-reproducible.sh    (after scripts/test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/source-date.sh
jobs=$(nproc)
again=$(mktemp -d /tmp/tasa-again.XXXXXX)
trap 'rm -rf "$again"' EXIT
git clone -q . "$again/source"

# The first build's Debian package, from its tree.
cpack --config build/release/CPackConfig.cmake -B "$again/first" >/dev/null

cd "$again/source"
cmake -S . -B build/app -DCMAKE_BUILD_TYPE=Release -DTASA_BUILD_TESTS=OFF \
  -DTASA_BUILD_BENCH=OFF >/dev/null
cmake --build build/app --parallel "$jobs" >/dev/null
cpack --config build/app/CPackConfig.cmake -B "$again/second" >/dev/null
for target in i686:win32 x86_64:win64; do
  cmake -S . -B "build/${target##*:}" -DCMAKE_BUILD_TYPE=Release -DTASA_BUILD_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/mingw-${target%%:*}.cmake" >/dev/null
  cmake --build "build/${target##*:}" --parallel "$jobs" --target installer >/dev/null
done
cd - >/dev/null

status=0
same() {  # FIRST SECOND
  if cmp -s "$1" "$2"; then
    echo "the same bytes: ${1##*/}"
  else
    echo "different: $1 and $2"
    status=1
  fi
}
same "$(ls "$again"/first/*.deb)" "$(ls "$again"/second/*.deb)"
for tree in win32 win64; do
  same "build/$tree/window/win32/TasaEfectiva.exe" \
    "$again/source/build/$tree/window/win32/TasaEfectiva.exe"
  for msi in build/$tree/window/win32/installer/*.msi; do
    same "$msi" "$again/source/$msi"
  done
done
exit $status
