#!/usr/bin/env bash
# Cross-compiles the self-contained Windows executables, 32-bit and 64-bit:
#   build/win32/window/win32/TasaEfectiva.exe
#   build/win64/window/win32/TasaEfectiva.exe
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/debian-packages.sh
source scripts/source-date.sh
bash scripts/install-packages.sh cmake make "${WINDOWS_BUILD_PACKAGES[@]}"

for target in i686:win32 x86_64:win64; do
  arch=${target%%:*}
  build=build/${target##*:}
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/mingw-$arch.cmake"
  cmake --build "$build" --parallel "$(nproc)" --target TasaEfectiva
  ls -l "$build/window/win32/TasaEfectiva.exe"
done
