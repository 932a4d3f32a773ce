#!/usr/bin/env bash
# Builds the calculator's web page into build/web/site/: a static folder
# that any web server can serve, at / or below it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/debian-packages.sh
source scripts/source-date.sh
bash scripts/install-packages.sh "${WEB_BUILD_PACKAGES[@]}"
cmake -S . -B build/web -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/wasm32-emscripten.cmake \
  -DTASA_BUILD_QT=OFF -DTASA_BUILD_BENCH=OFF >/dev/null
cmake --build build/web --parallel "$(nproc)" --target web_site
echo "The page: $PWD/build/web/site/"
