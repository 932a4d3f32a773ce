#!/usr/bin/env bash
# Runs the Windows paste benchmark under Wine, on an X display of its own
# with a window manager, in the Wine prefix of the build tree's tests.
#   paste_bench.sh i686|x86_64 WINEPREFIX paste_bench.exe [REPETITIONS [LONGEST]]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tests=$here/../../tests/win32
arch=$1
prefix=$2
shift 2
exec xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -nolisten tcp" \
  bash "$tests/window_manager.sh" bash "$tests/wine.sh" "$arch" "$prefix" "$@"
