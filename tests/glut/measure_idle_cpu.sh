#!/usr/bin/env bash
# Measures the whole-process CPU of the idle host (an empty white 1024x800
# window at 30 ticks a second) under a private Xvfb, with the idle callback
# spinning as freeglut runs it by default and with the host's waiting idle.
# utime+stime are read from /proc/<pid>/stat after a warm-up and again after
# the measuring period.
# Usage: measure_idle_cpu.sh [path/to/glut_idle_host] [seconds]
set -euo pipefail
cd "$(dirname "$0")/../.."

host=${1:-build-glut/tests/glut/glut_idle_host}
seconds=${2:-10}
[ -x "$host" ] || { echo "measure_idle_cpu: no idle host at $host; build glut_idle_host first" >&2; exit 1; }

exec scripts/with-xvfb.sh bash -s "$host" "$seconds" <<'MEASURE'
host=$1
seconds=$2
ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
measure() {
    "$host" "$@" >/dev/null &
    local pid=$!
    sleep 2
    local before after
    before=$(cpu_ticks "$pid")
    sleep "$seconds"
    after=$(cpu_ticks "$pid")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v d="$((after - before))" -v hz="$ticks_per_second" -v s="$seconds" \
        'BEGIN { printf "%.2f s of CPU in %d s: %.1f%% of one core\n", d / hz, s, 100 * d / hz / s }'
}
printf 'spinning idle: '
measure --spin
printf 'waiting idle:  '
measure
MEASURE
