#!/usr/bin/env bash
# Builds the web page and serves it on 127.0.0.1 (port 8080, or the one
# given) until interrupted, as it asks to be served: its Brotli or gzip
# copies with their Content-Encoding, files named by their digest cached
# for a year, the rest revalidated, its policy as a header (docs/web.md).
#   serve-web.sh [PORT]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-web.sh
exec node scripts/web/serve.mjs build/web/site "${1:-8080}"
