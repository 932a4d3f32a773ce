#!/usr/bin/env bash
# Builds and runs every test, in seven builds: Release (with the Debian
# package); the same suite with AddressSanitizer and UndefinedBehaviorSanitizer;
# a bounded fuzz run; the 32-bit and 64-bit Windows executables and
# installers, driven under Wine; the core, the window and the Debian package
# for aarch64, under qemu-user; and the web page, its core in WebAssembly
# under node and the page in chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/debian-packages.sh
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

# Each build is a preset of CMakePresets.json, run by name as
# `cmake --workflow --preset NAME` runs it, with options on top; jobs from
# the machine's cores.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}
run_suite() {  # PRESET [CMAKE OPTIONS...]
  local preset=$1
  shift
  cmake --preset "$preset" "$@"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
}

echo "== Release"
run_suite release

echo "== AddressSanitizer + UndefinedBehaviorSanitizer (with LeakSanitizer)"
run_suite sanitize

echo "== Fuzzing (${TASA_FUZZ_SECONDS:-60} s)"
run_suite fuzz -DTASA_FUZZ_SECONDS="${TASA_FUZZ_SECONDS:-60}"

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
  run_suite "${target##*:}" -DTASA_OTHER_MSI="$other_msi"
done

# The web page's build holds the WebAssembly core. Not -Os: clang 14 at -Os
# and -Oz compiles text_conversion.cpp for WebAssembly now one way, now
# another, and the page would not be the same bytes twice.
for target in aarch64:qemu-aarch64:$aarch64_window web:node:OFF; do
  IFS=: read -r preset runner window <<<"$target"
  echo "== The core$([[ $window == OFF ]] || echo " and the window") for $preset, under $runner"
  if ! command -v "$runner" >/dev/null; then
    echo "The $preset core is not tested: $runner is missing."
    continue
  fi
  if [[ $preset == web ]]; then
    # puppeteer-core, which drives Debian's chromium and downloads none, and
    # axe-core; not the benchmark's Lighthouse.
    (cd scripts/web && npm ci --omit=dev --no-audit --no-fund --loglevel=error) ||
      echo "The web page is not driven in chromium: npm could not install puppeteer-core."
  fi
  run_suite "$preset" -DTASA_BUILD_QT="$window"
done

echo "== Reproducible builds"
bash scripts/check-reproducible.sh
