#!/usr/bin/env bash
# Builds what is shipped a second time, from a fresh clone of this commit
# in another folder (other paths, other file times, another time of day),
# and compares it byte for byte with what the builds in build/ made: the
# Debian packages (amd64 and, where the aarch64 build has the window,
# arm64), both Windows executables and both installers, and the web page's
# zip.
#   check-reproducible.sh    (after scripts/test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/source-date.sh
jobs=$(nproc)
again=$(mktemp -d /tmp/tasa-again.XXXXXX)
trap 'rm -rf "$again"' EXIT
git clone -q . "$again/source"

# The first build's Debian packages, from their trees, and its web page's zip.
cpack --config build/release/CPackConfig.cmake -B "$again/first" >/dev/null
arm64=no
if grep -qx 'TASA_BUILD_QT:BOOL=ON' build/aarch64/CMakeCache.txt 2>/dev/null; then
  arm64=yes
  cpack --config build/aarch64/CPackConfig.cmake -B "$again/first" >/dev/null
fi
web=no
if [[ -f build/web/CMakeCache.txt ]]; then
  web=yes
  cmake --build build/web --target web_zip >/dev/null
fi

cd "$again/source"
cmake -S . -B build/app -DCMAKE_BUILD_TYPE=Release -DTASA_BUILD_TESTS=OFF \
  -DTASA_BUILD_BENCH=OFF >/dev/null
cmake --build build/app --parallel "$jobs" >/dev/null
cpack --config build/app/CPackConfig.cmake -B "$again/second" >/dev/null
if [[ $arm64 == yes ]]; then
  cmake -S . -B build/aarch64 -DCMAKE_BUILD_TYPE=Release -DTASA_BUILD_TESTS=OFF \
    -DTASA_BUILD_BENCH=OFF -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/aarch64-linux-gnu.cmake \
    >/dev/null
  cmake --build build/aarch64 --parallel "$jobs" >/dev/null
  cpack --config build/aarch64/CPackConfig.cmake -B "$again/second" >/dev/null
fi
for target in i686:win32 x86_64:win64; do
  cmake -S . -B "build/${target##*:}" -DCMAKE_BUILD_TYPE=Release -DTASA_BUILD_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/mingw-${target%%:*}.cmake" >/dev/null
  cmake --build "build/${target##*:}" --parallel "$jobs" --target installer >/dev/null
done
if [[ $web == yes ]]; then
  cmake -S . -B build/web -DCMAKE_BUILD_TYPE=Release -DTASA_BUILD_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/wasm32-emscripten.cmake \
    -DTASA_BUILD_QT=OFF -DTASA_BUILD_BENCH=OFF >/dev/null
  cmake --build build/web --parallel "$jobs" --target web_zip >/dev/null
fi
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
for deb in "$again"/first/*.deb; do
  same "$deb" "$again/second/${deb##*/}"
done
for tree in win32 win64; do
  same "build/$tree/window/win32/TasaEfectiva.exe" \
    "$again/source/build/$tree/window/win32/TasaEfectiva.exe"
  for msi in build/$tree/window/win32/installer/*.msi; do
    same "$msi" "$again/source/$msi"
  done
done
if [[ $web == yes ]]; then
  zip=$(cd build/web && ls tasa-efectiva-web-*.zip)
  same "build/web/$zip" "$again/source/build/web/$zip"
fi
exit $status
