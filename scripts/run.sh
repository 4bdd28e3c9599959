#!/usr/bin/env bash
# Installs what is missing, builds Quillmere and starts it. On a machine
# without a display it runs the program under Xvfb instead, drives a short
# demo (two swatches dragged onto a canvas) and saves a screenshot.
#
# With --web: builds the web page instead (build-web/site/) and serves it on
# localhost, printing the address; without a display it drives the same demo
# in headless chromium and saves a screenshot.
# Usage: run.sh [--web]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

has_display() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

if [ "${1:-}" = --web ]; then
    cmake --preset web
    cmake --build --preset web -j "$(nproc)"
    demo=(node --experimental-websocket scripts/web-demo.mjs build-web/site)
    if has_display; then
        exec "${demo[@]}" --port "${QUILLMERE_PORT:-8080}"
    fi
    echo "No X display is available: running the page in headless chromium with a short demo instead."
    exec "${demo[@]}" --screenshot build-web/quillmere-screenshot.png
fi

cmake --preset default
cmake --build --preset default -j "$(nproc)" --target quillmere
binary=build/program/quillmere

if has_display; then
    exec "$binary"
fi

echo "No X display is available: running Quillmere under Xvfb with a short demo instead."
bash scripts/screenshot.sh build/quillmere-screenshot.png "$binary"
