#!/usr/bin/env bash
# Usage: bench/program/measure-program.sh [seconds per phase] [binary [binary...]]
# Measures the real program under a private Xvfb server with Mesa's software
# renderer, in the phases of bench/program/program-phases.sh: blank at rest,
# spreading, painted at rest, settled, dragging over empty window, dragging
# over canvas. For each phase it reports, over the phase's wall time:
#
# - CPU: user and system time of every thread of the process (from
#   /proc/<pid>/stat), in percent of one core;
# - frames/s: the frames the program presented. Frames are counted outside
#   the program by a preloaded library (tests/tools/count-swaps.c): each
#   glXSwapBuffers is a frame, and so is each run of glXCopySubBufferMESA
#   calls presented back to back with nothing drawn in between (the
#   rectangles of one frame). The line says how many of each, how many
#   rectangles, and what share of the window's pixels a partial frame copied;
# - wake-ups/s: voluntary plus nonvoluntary context switches summed over all
#   threads (/proc/<pid>/task/*/status), with a second line per thread (the
#   main thread, llvmpipe's rasteriser threads, Mesa's other threads).
#
# The program itself is the unmodified binary.
#
# With more than one binary, each runs all the phases in a pass of its own,
# one pass after the other on the same Xvfb server, and a table compares them
# at the end. The passes are not interleaved phase by phase: that would need
# both programs running at once, and one that keeps ticking would take CPU,
# the X server and the pointer from the other while it is measured.
# QM_ROUNDS=N repeats the passes N times, alternating their order (1 2, 2 1,
# ...), so that a drift in the machine's load falls on both; the table then
# gives every round's figure.
#
# A binary given as fallback:PATH runs with QM_HIDE_COPY_SUB_BUFFER=1: the
# counter hides GLX_MESA_copy_sub_buffer from it, so that it presents with
# whole-window swaps as where the extension is missing. The variable set in
# the environment hides it from every binary.
#
# Usage: [QM_WM=openbox|i3] [QM_SCREEN=WxH] [QM_ROUNDS=N] [QM_SETTLE_SECONDS=S]
#        [QM_DPI=D QM_SCALE=N] (the desktop's density; see drive-program.sh)
#        measure-program.sh [seconds per phase] [binary [binary...]]
#        (defaults: no window manager, 1280x1024, 1 round, 10,
#        build/program/quillmere). Two binaries are labelled before and after.
#        One pass of 10 s phases takes about 95 s.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:-10}
shift || true
[ "$#" -gt 0 ] || set -- build/program/quillmere
programs=("$@")

source tests/tools/drive-program.sh
qm_under_xvfb "$0" "$seconds" "${programs[@]}"
source bench/program/program-phases.sh
work=$(mktemp -d)
trap 'xdotool mouseup 1 2>/dev/null || true; qm_stop; rm -rf "$work"' EXIT

for program in "${programs[@]}"; do
    [ -x "${program#fallback:}" ] || {
        echo "measure-program: no program at ${program#fallback:}" >&2
        exit 1
    }
done

counter=$(qm_swap_counter)
hz=$(getconf CLK_TCK)
phases=()
declare -A result

if [ "${#programs[@]}" -eq 2 ]; then
    labels=(before after)
else
    labels=()
    for i in "${!programs[@]}"; do labels+=("$((i + 1))"); done
fi

# One snapshot: time, CPU ticks, the present counts, the per-thread switches.
snapshot() {
    snap_time=$(qm_now)
    snap_cpu=$(qm_cpu_ticks "$QM_PID")
    snap_presents=$(qm_presents "$work/presents")
    snap_threads=$(qm_thread_wakeups "$QM_PID")
}

measure_phase() {
    local label=$1 t0 c0 p0 w0 line
    snapshot
    t0=$snap_time c0=$snap_cpu p0=$snap_presents w0=$snap_threads
    sleep "$seconds"
    snapshot
    line=$(
        {
            echo "begin $t0 $c0 $p0"
            echo "$w0" | awk '{ print "b", $0 }'
            echo "end $snap_time $snap_cpu $snap_presents"
            echo "$snap_threads" | awk '{ print "e", $0 }'
        } | awk -v label="$label" -v hz="$hz" -v pid="$QM_PID" -v size="$QM_WINDOW_SIZE" '
            $1 == "begin" { t0 = $2; c0 = $3; s0 = $4; k0 = $5; r0 = $6; px0 = $7 }
            $1 == "end"   { t1 = $2; c1 = $3; s1 = $4; k1 = $5; r1 = $6; px1 = $7 }
            $1 == "b" { bv[$2] = $4; bn[$2] = $5 }
            $1 == "e" { name[$2] = $3; ev[$2] = $4; en[$2] = $5; order[++n] = $2 }
            END {
                t = t1 - t0
                swaps = s1 - s0; copies = k1 - k0; runs = r1 - r0; pixels = px1 - px0
                frames = swaps + runs
                wake = 0
                for (i = 1; i <= n; i++) {
                    tid = order[i]
                    dv = ev[tid] - bv[tid]; dn = en[tid] - bn[tid]
                    wake += dv + dn
                    key = (tid == pid) ? "main" : name[tid]
                    if (!(key in gv)) { keys[++m] = key }
                    gv[key] += dv; gn[key] += dn; count[key]++
                }
                split(size, wh, "x")
                detail = sprintf("%d frames in %.1f s", frames, t)
                if (runs > 0) {
                    detail = sprintf("%s: %d whole swaps, %d partial of %d rectangles, %.1f%% of the window a partial frame",
                        detail, swaps, runs, copies, wh[1] * wh[2] > 0 ? 100 * pixels / runs / (wh[1] * wh[2]) : 0)
                }
                printf "%-28s CPU %5.1f%% of one core   %5.1f frames/s   %7.1f wake-ups/s   (%s)\n",
                    label ":", 100 * (c1 - c0) / hz / t, frames / t, wake / t, detail
                threads = ""
                for (i = 1; i <= m; i++) {
                    k = keys[i]
                    threads = threads sprintf("%s%s%s %.1f+%.1f", i > 1 ? ", " : "", k,
                        count[k] > 1 ? " x" count[k] : "", gv[k] / t, gn[k] / t)
                }
                printf "    per thread, voluntary+nonvoluntary /s: %s\n", threads
                printf "RESULT %.1f %.1f %.1f\n", 100 * (c1 - c0) / hz / t, frames / t, wake / t
            }'
    )
    echo "$line" | grep -v '^RESULT '
    local cpu fps wake
    read -r _ cpu fps wake < <(echo "$line" | grep '^RESULT ')
    local key="$pass|$label"
    result["$key|cpu"]+="${result["$key|cpu"]:+, }$cpu"
    result["$key|fps"]+="${result["$key|fps"]:+, }$fps"
    result["$key|wake"]+="${result["$key|wake"]:+, }$wake"
    [ "$pass" -ne 0 ] || [ "$round" -ne 1 ] || phases+=("$label")
}

phase_note() {
    echo "    $*"
}

# run_pass INDEX: one program started, measured in every phase and stopped.
run_pass() {
    pass=$1
    local program=${programs[$1]} binary hide=${QM_HIDE_COPY_SUB_BUFFER:-0} found
    binary=${program#fallback:}
    [ "$binary" = "$program" ] || hide=1
    rm -f "$work/presents"
    qm_start "$work/program-$1.log" env LD_PRELOAD="$counter" \
        QM_PRESENT_COUNT_FILE="$work/presents" QM_HIDE_COPY_SUB_BUFFER="$hide" "$binary"
    qm_dismiss_banner
    qm_wait_main_window
    echo
    echo "== ${labels[$1]}: $binary$([ "$hide" = 0 ] || echo ", GLX_MESA_copy_sub_buffer hidden")"
    echo "window ${QM_WINDOW_SIZE} on a ${QM_SCREEN:-1280x1024} screen, window manager: ${QM_WM:-none}"
    qm_run_phases
    read -r -a found < <(qm_presents "$work/presents")
    if [ "${found[4]}" -gt 0 ]; then
        echo "    (the program looked up glXCopySubBufferMESA and was handed it)"
    elif [ "${found[5]}" -gt 0 ]; then
        echo "    (the program looked up glXCopySubBufferMESA and was told it is missing)"
    elif [ "$hide" != 0 ]; then
        echo "    (GLX_MESA_copy_sub_buffer was hidden from the program; it did not look up glXCopySubBufferMESA)"
    else
        echo "    (the program never looked up glXCopySubBufferMESA)"
    fi
    qm_stop
    QM_PID=
}

glx=$(glxinfo 2>/dev/null || true)
echo "phases of $seconds s; $(echo "$glx" | sed -n 's/^OpenGL renderer string: //p'), $(echo "$glx" |
    sed -n 's/^OpenGL version string: //p'); GLX_MESA_copy_sub_buffer offered: $(grep -q GLX_MESA_copy_sub_buffer <<<"$glx" &&
    echo yes || echo no); load average $(cut -d ' ' -f 1-3 /proc/loadavg)"
rounds=${QM_ROUNDS:-1}
for round in $(seq 1 "$rounds"); do
    order=("${!programs[@]}")
    if [ $((round % 2)) -eq 0 ]; then
        reversed=()
        for ((i = ${#order[@]} - 1; i >= 0; i--)); do reversed+=("${order[i]}"); done
        order=("${reversed[@]}")
    fi
    for i in "${order[@]}"; do
        run_pass "$i"
    done
done
echo
echo "load average at the end $(cut -d ' ' -f 1-3 /proc/loadavg)"

if [ "${#programs[@]}" -gt 1 ] || [ "$rounds" -gt 1 ]; then
    echo
    for i in "${!programs[@]}"; do
        echo "${labels[i]}: ${programs[i]}"
    done
    for metric in cpu fps wake; do
        case $metric in
        cpu) title="CPU, % of one core" ;;
        fps) title="frames/s" ;;
        wake) title="wake-ups/s" ;;
        esac
        echo
        printf '| %-26s |' "$title"
        for i in "${!programs[@]}"; do printf ' %s |' "${labels[i]}"; done
        echo
        printf '|%s|' "----------------------------"
        for i in "${!programs[@]}"; do printf '%s|' "---:"; done
        echo
        for phase in "${phases[@]}"; do
            printf '| %-26s |' "$phase"
            for i in "${!programs[@]}"; do printf ' %s |' "${result["$i|$phase|$metric"]}"; done
            echo
        done
    done
fi
