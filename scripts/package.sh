#!/usr/bin/env bash
# Builds every package into build/packages/: the Debian packages for amd64
# and arm64, the Windows installers for the 64-bit and the 32-bit
# executable, and the web page as a zip of its site.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/debian-packages.sh
source scripts/source-date.sh
# The arm64 package takes Debian's arm64 Qt, from the arm64 architecture.
if ! dpkg --print-foreign-architectures | grep -qx arm64; then
  as_root=()
  [[ $(id -u) -eq 0 ]] || as_root=(sudo)
  "${as_root[@]}" dpkg --add-architecture arm64
fi
bash scripts/install-packages.sh "${BUILD_PACKAGES[@]}" "${PACKAGING_PACKAGES[@]}" \
  "${WINDOWS_BUILD_PACKAGES[@]}" g++-aarch64-linux-gnu "${ARM64_PACKAGES[@]}"
jobs=$(nproc)
out=$PWD/build/packages
mkdir -p "$out"

for target in native:app aarch64-linux-gnu:app-aarch64; do
  build=build/${target##*:}
  toolchain=()
  [[ ${target%%:*} == native ]] ||
    toolchain=(-DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/${target%%:*}.cmake")
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTASA_BUILD_TESTS=OFF \
    -DTASA_BUILD_BENCH=OFF "${toolchain[@]}"
  cmake --build "$build" --parallel "$jobs"
  (cd "$build" && cpack -B "$out/deb" >/dev/null)
  mv "$out"/deb/tasa-efectiva_*.deb "$out"/
  rm -rf "$out/deb"
done

for target in x86_64:win64 i686:win32; do
  build=build/${target##*:}
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/mingw-${target%%:*}.cmake"
  cmake --build "$build" --parallel "$jobs" --target installer
  cp "$build"/window/win32/installer/TasaEfectiva-*.msi "$out"/
done

bash scripts/build-web.sh
cmake --build build/web --target web_zip
cp build/web/tasa-efectiva-web-*.zip "$out"/
ls -l "$out"
