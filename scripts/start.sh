#!/usr/bin/env bash
# Builds the calculator (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/debian-packages.sh
source scripts/source-date.sh
bash scripts/install-packages.sh "${BUILD_PACKAGES[@]}"

build=build/app
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTASA_BUILD_TESTS=OFF -DTASA_BUILD_BENCH=OFF
cmake --build "$build" --parallel "$(nproc)" --target tasa-efectiva
if [[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  echo "Construido en $build/window/qt/tasa-efectiva; no hay pantalla gráfica para abrir la ventana." >&2
  exit 1
fi
exec "$build/window/qt/tasa-efectiva"
