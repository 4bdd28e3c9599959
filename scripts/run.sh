#!/usr/bin/env bash
# Installs what is missing, builds Quillmere and starts it. On a machine
# without a display it runs the program under Xvfb instead, drives a short
# demo (two swatches dragged onto a canvas) and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake --preset default
cmake --build --preset default -j "$(nproc)" --target quillmere
binary=build/program/quillmere

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$binary"
fi

echo "No X display is available: running Quillmere under Xvfb with a short demo instead."
bash scripts/screenshot.sh build/quillmere-screenshot.png "$binary"
