#!/usr/bin/env bash
# Starts the real program under a private Xvfb server, dismisses the banner,
# drags two swatches onto canvas A, lets the colour spread for a few seconds
# and saves a PNG of the window.
# Usage: screenshot.sh [output.png] [binary]   (defaults: docs/screenshot.png,
# build/program/quillmere)
set -euo pipefail
cd "$(dirname "$0")/.."

output=${1:-docs/screenshot.png}
binary=${2:-build/program/quillmere}

source tests/tools/drive-program.sh
qm_under_xvfb "$0" "$output" "$binary"
log=$(mktemp)
trap 'qm_stop; rm -f "$log"' EXIT

qm_start "$log" "$binary"
qm_dismiss_banner
qm_wait_main_window
qm_demo_drags
sleep 3
mkdir -p "$(dirname "$output")"
import -window "$QM_WINDOW" "$output"
echo "Saved a screenshot of Quillmere to $output"
