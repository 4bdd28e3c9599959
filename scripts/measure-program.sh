#!/usr/bin/env bash
# Measures the real program under a private Xvfb server with Mesa's software
# renderer: whole-process CPU (all threads, from /proc/<pid>/stat) and frames
# per second, first at rest as it starts, then with two swatches spreading
# colour on canvas A, then while a third swatch is dragged round and round
# over canvas A.
#
# Frames are counted outside the program: a small preloaded library wraps
# glXSwapBuffers, which glutSwapBuffers ends in, and writes the running count
# to a file. The program itself is the unmodified binary.
#
# Usage: [QM_WM=openbox|i3] [QM_SCREEN=WxH] measure-program.sh [seconds per phase] [binary]
#        (defaults: no window manager, 1280x1024, 10, build/program/quillmere)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-10}
binary=${2:-build/program/quillmere}

source scripts/drive-program.sh
qm_under_xvfb "$0" "$seconds" "$binary"
work=$(mktemp -d)
trap 'qm_stop; rm -rf "$work"' EXIT

qm_build_swap_counter "$work/count_swaps.so"

measure() {
    local label=$1 t0 t1 c0 c1 s0 s1
    t0=$(date +%s.%N); c0=$(qm_cpu_ticks "$QM_PID"); s0=$(qm_swaps "$work/swaps")
    sleep "$seconds"
    t1=$(date +%s.%N); c1=$(qm_cpu_ticks "$QM_PID"); s1=$(qm_swaps "$work/swaps")
    awk -v label="$label" -v t0="$t0" -v t1="$t1" -v c=$((c1 - c0)) -v s=$((s1 - s0)) \
        -v hz="$(getconf CLK_TCK)" 'BEGIN {
            t = t1 - t0
            printf "%-22s CPU %5.1f%% of one core   %5.1f frames/s   (%d frames in %.1f s)\n",
                label, 100 * c / hz / t, s / t, s, t }'
}

qm_start "$work/program.log" \
    env LD_PRELOAD="$work/count_swaps.so" QM_SWAP_COUNT_FILE="$work/swaps" "$binary"
qm_dismiss_banner
qm_wait_main_window
echo "window ${QM_WINDOW_SIZE} on a ${QM_SCREEN:-1280x1024} screen, window manager: ${QM_WM:-none}"
# Start-up and the first frames are left out.
sleep 2
measure "at rest:"
qm_demo_drags
xdotool mousemove --window "$QM_WINDOW" 900 700
sleep 2
measure "two swatches on canvas:"
# One xdotool process moves the pointer every 20 ms for the whole phase, so
# that the program sees a new position at every tick; the swatch goes round
# a circle over canvas A, 15 degrees a step.
drag_path() {
    awk -v steps=$((seconds * 50 + 250)) 'BEGIN {
        for (i = 0; i < steps; i++) {
            a = i * 3.14159265 / 12
            printf "mousemove --window %s %d %d sleep 0.02 ", ENVIRON["QM_WINDOW"],
                330 + int(120 * cos(a)), 400 + int(120 * sin(a))
        }
    }'
}
xdotool mousemove --sync --window "$QM_WINDOW" 320 50
sleep 0.2
xdotool mousedown 1
export QM_WINDOW
# shellcheck disable=SC2046
xdotool $(drag_path) &
dragger=$!
sleep 2
measure "dragging a swatch:"
kill "$dragger" 2>/dev/null || true
wait "$dragger" 2>/dev/null || true
xdotool mouseup 1
