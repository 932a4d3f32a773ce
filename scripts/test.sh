#!/usr/bin/env bash
# Builds and runs every test, in seven builds: Release (with the Debian
# package); the same suite with AddressSanitizer and UndefinedBehaviorSanitizer;
# a bounded fuzz run; the 32-bit and 64-bit Windows executables and
# installers, driven under Wine; the core, the window and the Debian package
# for aarch64, under qemu-user; and the web page, its core in WebAssembly
# under node and the page in chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/source-date.sh
as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)

packages=("${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${A11Y_TEST_PACKAGES[@]}"
  "${PACKAGING_PACKAGES[@]}"
  "${WINDOWS_BUILD_PACKAGES[@]}" "${WINDOWS_TEST_PACKAGES[@]}"
  "${OTHER_PROCESSOR_PACKAGES[@]}" "${WEB_BUILD_PACKAGES[@]}" "${WEB_TEST_PACKAGES[@]}")
runs_32_bit=no
if bash scripts/runs-32-bit.sh; then
  runs_32_bit=yes
  # Wine's 32-bit half comes from the i386 architecture.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
  fi
fi
# The window for aarch64 takes Debian's arm64 Qt, installed apart: where
# it cannot be, the aarch64 build is the core alone.
if ! dpkg --print-foreign-architectures | grep -qx arm64; then
  "${as_root[@]}" dpkg --add-architecture arm64
fi
bash scripts/install-packages.sh "${packages[@]}"
# Wine's 32-bit half alone: where the i386 lists cannot be had (a mirror
# mid-sync), the 32-bit programs go untested rather than everything.
if [[ $runs_32_bit == yes ]] && ! bash scripts/install-packages.sh "${WINE32_PACKAGES[@]}"; then
  echo "Wine's 32-bit half could not be installed: the 32-bit Windows programs are built and checked without running them."
fi
aarch64_window=ON
if ! bash scripts/install-packages.sh "${ARM64_PACKAGES[@]}"; then
  aarch64_window=OFF
  echo "The aarch64 window is not built: Debian's arm64 Qt could not be installed."
fi

# A locale with a decimal comma, to prove the conversions ignore the locale.
if ! locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$'; then
  "${as_root[@]}" localedef -i es_ES -f UTF-8 es_ES.UTF-8 || true
fi

jobs=$(nproc)
run_suite() {  # BUILD_DIR [CMAKE OPTIONS...]
  local build=$1
  shift
  cmake -S . -B "$build" "$@"
  cmake --build "$build" --parallel "$jobs"
  ctest --test-dir "$build" --output-on-failure --parallel "$jobs"
}

echo "== Release"
run_suite build/release -DCMAKE_BUILD_TYPE=Release

echo "== AddressSanitizer + UndefinedBehaviorSanitizer (with LeakSanitizer)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp
run_suite build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTASA_SANITIZE=ON \
  -DTASA_BUILD_BENCH=OFF

echo "== Fuzzing (${TASA_FUZZ_SECONDS:-60} s)"
CXX=clang++ run_suite build/fuzz -DCMAKE_BUILD_TYPE=Release -DTASA_FUZZ=ON \
  -DTASA_FUZZ_SECONDS="${TASA_FUZZ_SECONDS:-60}" \
  -DTASA_BUILD_QT=OFF -DTASA_BUILD_TESTS=OFF -DTASA_BUILD_BENCH=OFF

for target in i686:win32 x86_64:win64; do
  echo "== Windows ${target%%:*}, under Wine"
  if [[ ${target%%:*} == i686 && $runs_32_bit == no ]]; then
    echo "The 32-bit run under Wine is skipped: this machine's kernel runs no 32-bit programs; the 32-bit executable is built and checked without running it."
  fi
  # The 64-bit installer's test installs the 32-bit one over it.
  other_msi=
  if [[ ${target%%:*} == x86_64 ]]; then
    other_msi=$(ls "$PWD"/build/win32/window/win32/installer/TasaEfectiva-*-x86.msi)
  fi
  run_suite "build/${target##*:}" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/mingw-${target%%:*}.cmake" \
    -DTASA_HOST_BUILD="$PWD/build/release" -DTASA_OTHER_MSI="$other_msi"
done

# The web page's build holds the WebAssembly core. Not -Os: clang 14 at -Os
# and -Oz compiles text_conversion.cpp for WebAssembly now one way, now
# another, and the page would not be the same bytes twice.
for target in aarch64-linux-gnu:aarch64:qemu-aarch64:Release:$aarch64_window \
    wasm32-emscripten:web:node:Release:OFF; do
  IFS=: read -r toolchain tree runner build_type window <<<"$target"
  echo "== The core$([[ $window == OFF ]] || echo " and the window") for $toolchain, under $runner"
  if ! command -v "$runner" >/dev/null; then
    echo "The $toolchain core is not tested: $runner is missing."
    continue
  fi
  if [[ $tree == web ]]; then
    # puppeteer-core, which drives Debian's chromium and downloads none, and
    # axe-core; not the benchmark's Lighthouse.
    (cd scripts/web && npm ci --omit=dev --no-audit --no-fund --loglevel=error) ||
      echo "The web page is not driven in chromium: npm could not install puppeteer-core."
  fi
  run_suite "build/$tree" -DCMAKE_BUILD_TYPE="$build_type" \
    -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/$toolchain.cmake" \
    -DTASA_BUILD_QT="$window" -DTASA_BUILD_BENCH=OFF -DTASA_HOST_BUILD="$PWD/build/release"
done

echo "== Reproducible builds"
bash scripts/check-reproducible.sh
