#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts Quillon on examples/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/src/app/quillon "${1:-examples/}"
