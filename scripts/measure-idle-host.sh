#!/usr/bin/env bash
# Measures the whole-process CPU of the bare host (an empty white 1024x800
# window at 30 ticks a second, tests/glut/idle_host.cpp) under a private
# Xvfb: first with the idle callback spinning as freeglut runs it by
# default, then with the host's waiting idle, after a warm-up of 2 s each.
# Usage: measure-idle-host.sh [seconds] [idle host]
#        (defaults: 10, build/tests/glut/glut_idle_host from the default preset)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-10}
host=${2:-build/tests/glut/glut_idle_host}
[ -x "$host" ] || {
    echo "measure-idle-host: no idle host at $host; build it with" \
        "cmake --build --preset default --target glut_idle_host" >&2
    exit 1
}

source scripts/drive-program.sh
qm_under_xvfb "$0" "$seconds" "$host"

measure() {
    "$host" "$@" >/dev/null &
    local pid=$! before after
    sleep 2
    before=$(qm_cpu_ticks "$pid")
    sleep "$seconds"
    after=$(qm_cpu_ticks "$pid")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v d="$((after - before))" -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
        'BEGIN { printf "%.2f s of CPU in %d s: %.1f%% of one core\n", d / hz, s, 100 * d / hz / s }'
}
printf 'spinning idle: '
measure --spin
printf 'waiting idle:  '
measure
