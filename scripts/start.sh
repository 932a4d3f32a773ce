#!/usr/bin/env bash
# Builds the calculator (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/install-packages.sh "${BUILD_PACKAGES[@]}"

build=build/release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --parallel "$(nproc)"
echo "Construido el núcleo de cálculo; la ventana todavía no existe."
