#!/usr/bin/env bash
# Usage: bench/program/measure-startup.sh [runs] [binary...]
# How the program's window comes up, watched from a second X client: maps and
# unmaps of the main window from launch until it shows the scene (and for a
# second after), its size at each map, and the milliseconds from the launch
# to the first picture, on a bare Xvfb, under openbox and under i3, each
# started RUNS times (without the banner, which waits for the user).
#
# Usage: measure-startup.sh [runs] [binary...]
#        (defaults: 5 runs, build/program/quillmere; several binaries are
#        measured turn by turn on the same servers, for before and after)
# Environment: QM_SCREEN, the screen (default 1600x1200x24); QM_DPI, the
# desktop's Xft.dpi in the X resources (96 times the scale factor; default
# none); QM_DESKTOPS, which of bare, openbox and i3 (default all three).
set -euo pipefail
cd "$(dirname "$0")/../.."

runs=${1:-5}
shift || true
binaries=("$@")
[ ${#binaries[@]} -eq 0 ] && binaries=(build/program/quillmere)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
probe_startup=${QM_PROBE_STARTUP:-build/bench/program/probe_startup}
[ -x "$probe_startup" ] || {
    echo "measure-startup: no $probe_startup: cmake --build --preset default" >&2
    exit 1
}

# probe DESKTOP BINARY: RUNS starts, one line each.
probe() {
    local desktop=$1 binary=$2 wm=()
    [ "$desktop" != bare ] && wm=(bash tests/tools/with-window-manager.sh "$desktop")
    bash tests/tools/with-xvfb.sh -s "${QM_SCREEN:-1600x1200x24}" "${wm[@]}" bash -c '
        [ -n "$4" ] && echo "Xft.dpi: $4" | xrdb -merge
        for _ in $(seq 1 "$1"); do "$2" "$3" --no-banner --seed 7 || true; sleep 0.3; done
    ' probe "$runs" "$(realpath "$probe_startup")" "$binary" "${QM_DPI:-}"
}

printf '%-8s %-40s %s\n' desktop binary 'per start: first picture (ms), maps, unmaps, sizes at map'
for desktop in ${QM_DESKTOPS:-bare openbox i3}; do
    for binary in "${binaries[@]}"; do
        probe "$desktop" "$binary" >"$work/out"
        sort -n -k 2 "$work/out" | awk -v d="$desktop" -v b="$binary" '
            { ms[NR] = $2; maps = maps " " $4; unmaps = unmaps " " $6; sizes = sizes " " $8 }
            END {
                printf "%-8s %-40s median %s ms (%s .. %s); maps:%s; unmaps:%s; at:%s\n",
                    d, b, ms[int((NR + 1) / 2)], ms[1], ms[NR], maps, unmaps, sizes
            }'
    done
done
