#!/usr/bin/env bash
# Usage: bench/program/measure-wine.sh [seconds] [launcher]
# The Windows program's CPU under Wine on a private Xvfb, at rest and while
# a dropped swatch spreads on canvas A: the CPU time of quillmere.exe (a
# Linux process under Wine) and of the prefix's wineserver, which carries
# Wine's share of every window-system call, over each phase. The launcher
# runs quillmere.exe under Wine (the Linux build configured with
# QUILLMERE_WINDOWS_PROGRAM makes build/tests/program/quillmere-under-wine).
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:-10}
launcher=$(realpath "${2:-build/tests/program/quillmere-under-wine}")
[ -x "$launcher" ] || {
    echo "measure-wine: no launcher at $launcher; configure the Linux build with" \
        "-DQUILLMERE_WINDOWS_PROGRAM=\$PWD/build-windows/program/quillmere.exe" >&2
    exit 1
}
if [ -z "${QM_UNDER_XVFB:-}" ]; then
    exec env QM_UNDER_XVFB=1 bash tests/tools/with-xvfb.sh -s 1280x1024x24 bash "$0" "$@"
fi
source tests/tools/drive-program.sh

"$launcher" --no-banner --seed 7 >/dev/null 2>&1 &
window=
for _ in $(seq 120); do
    window=$(xdotool search --name '^Quillmere$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.25
done
[ -n "$window" ] || { echo "measure-wine: no window" >&2; exit 1; }
sleep 3
program=$(pgrep -x quillmere.exe | head -n 1)
server=$(pgrep -x wineserver64 | head -n 1 || pgrep -f wineserver | head -n 1)
ticks_per_second=$(getconf CLK_TCK)

# phase NAME: both processes' CPU over the phase, in percent of one core.
phase() {
    local p0 s0
    p0=$(qm_cpu_ticks "$program") s0=$(qm_cpu_ticks "$server")
    sleep "$seconds"
    awk -v n="$1" -v p=$(($(qm_cpu_ticks "$program") - p0)) -v s=$(($(qm_cpu_ticks "$server") - s0)) \
        -v t="$ticks_per_second" -v d="$seconds" \
        'BEGIN { printf "%-20s quillmere.exe %5.1f %%   wineserver %5.1f %%\n", n ":", 100 * p / t / d, 100 * s / t / d }'
}

phase "at rest"
# The red swatch carried onto canvas A in four steps.
xdotool mousemove --window "$window" 120 50 sleep 0.3 mousedown 1
for step in 1 2 3 4; do
    xdotool mousemove --window "$window" $((120 + 55 * step)) $((50 + 90 * step)) sleep 0.1
done
xdotool mouseup 1
sleep 1
phase "painted, spreading"
build/tests/glut/close_window "$window" || kill "$program"
wait
