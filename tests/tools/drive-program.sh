# shellcheck shell=bash
# Shell functions that run Quillmere on a private X display and drive it the
# way a user does, through xdotool, and read what it costs: sourced by
# screenshot.sh, the soak (soak.sh) and the measuring tools in
# bench/program/. Apart from qm_under_xvfb, DISPLAY must name a running X server.
#
# Without a window manager (as under Xvfb) keyboard focus follows the pointer,
# so the pointer is moved into a window before anything is typed.

# qm_under_xvfb SCRIPT [ARGS...]: unless this already runs under it, runs
# the script again on a private Xvfb server (screen QM_SCREEN, default
# 1280x1024), with the window manager QM_WM (openbox or i3) if that is set,
# without MIT-SHM if QM_NO_SHM is 1, and ends with its status.
#
# QM_DPI=D publishes Xft.dpi D in the server's X resources, as a desktop of
# D / 96 times the ordinary density does. QM_SCALE=N (a whole number) says
# the program's window is then N device pixels for each unit: every window
# pixel this script and its callers give xdotool, in the scene's units, is
# multiplied by N on its way.
qm_under_xvfb() {
    if [ -n "${QM_UNDER_XVFB:-}" ]; then
        [ -z "${QM_DPI:-}" ] || echo "Xft.dpi: $QM_DPI" | xrdb -merge
        return 0
    fi
    local here wm=() shm=()
    here=$(dirname "${BASH_SOURCE[0]}")
    [ -n "${QM_WM:-}" ] && wm=(bash "$here/with-window-manager.sh" "$QM_WM")
    [ "${QM_NO_SHM:-0}" = 1 ] && shm=(--no-shm)
    exec env QM_UNDER_XVFB=1 bash "$here/with-xvfb.sh" -s "${QM_SCREEN:-1280x1024}x24" \
        "${shm[@]}" "${wm[@]}" bash "$@"
}

# qm_cpu_ticks PID: user and system time of every thread, in clock ticks.
qm_cpu_ticks() {
    awk '{print $14 + $15}' "/proc/$1/stat"
}

# qm_swaps FILE: the frames counted so far by the swap counter.
qm_swaps() {
    cat "$1" 2>/dev/null || echo 0
}

# qm_swap_counter: prints the path of the preload library that counts the
# program's frames into the file named by QM_SWAP_COUNT_FILE (count-swaps.c,
# built with the tests): QM_SWAP_COUNTER, else the default build's.
qm_swap_counter() {
    local counter=${QM_SWAP_COUNTER:-build/tests/tools/count_swaps.so}
    [ -f "$counter" ] || {
        echo "no frame counter at $counter: build the tests (cmake --build --preset default)" >&2
        return 1
    }
    realpath "$counter"
}

# With QM_SCALE, xdotool scales the coordinates it is given (tests/tools/scaled/).
if [ "${QM_SCALE:-1}" != 1 ]; then
    PATH="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/scaled:$PATH"
    export PATH QM_SCALE
fi

# qm_start LOGFILE COMMAND...: starts the program (COMMAND may begin with
# env VAR=value) in the background, its output to LOGFILE; sets QM_PID.
qm_start() {
    local log=$1
    shift
    "$@" >"$log" 2>&1 &
    QM_PID=$!
}

# The ids of the visible windows titled exactly "Quillmere".
qm_windows() {
    xdotool search --onlyvisible --name '^Quillmere$' 2>/dev/null || true
}

qm_size_of() {
    xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/^ *Geometry: //p'
}

# Waits for the start-up banner and dismisses it with Return. A window
# manager may unmap and map the banner again just after it shows, taking the
# key with it, so Return is tried again until a second window opens.
qm_dismiss_banner() {
    local banner attempt
    QM_BANNER=
    banner=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillmere$' | head -n 1) || {
        echo "drive-program: the start-up banner did not appear" >&2
        return 1
    }
    for attempt in 1 2 3 4 5; do
        xdotool mousemove --window "$banner" 20 20 windowfocus "$banner" 2>/dev/null || true
        xdotool key Return
        for _ in $(seq 1 20); do
            if qm_windows | grep -qvx "$banner"; then
                QM_BANNER=$banner
                return 0
            fi
            sleep 0.05
        done
    done
    echo "drive-program: Return did not dismiss the banner" >&2
    return 1
}

# Waits for the program's main window, the one that is not the banner, and
# sets QM_WINDOW. Its size is the 1024 by 800 the program asks for unless a
# window manager decided otherwise; QM_WINDOW_SIZE says which.
qm_wait_main_window() {
    local w
    for _ in $(seq 1 200); do
        for w in $(qm_windows); do
            if [ "$w" != "${QM_BANNER:-}" ]; then
                QM_WINDOW=$w
                QM_WINDOW_SIZE=$(qm_size_of "$w")
                return 0
            fi
        done
        sleep 0.05
    done
    echo "drive-program: the main window titled Quillmere did not appear" >&2
    return 1
}

# qm_drag X1 Y1 X2 Y2 [alt]: a left-button drag between two window pixels,
# with Alt held when the fifth argument is given. The program samples the
# pointer once per update tick (30 a second) and moves what is dragged by
# the change since the last tick, so the pointer rests a few ticks before the
# press and before the release.
qm_drag() {
    local x1=$1 y1=$2 x2=$3 y2=$4 alt=${5:-} i
    xdotool mousemove --window "$QM_WINDOW" -- "$x1" "$y1"
    sleep 0.2
    [ -n "$alt" ] && xdotool keydown alt
    xdotool mousedown 1
    for i in 1 2 3 4 5; do
        xdotool mousemove --window "$QM_WINDOW" -- $((x1 + (x2 - x1) * i / 5)) $((y1 + (y2 - y1) * i / 5))
        sleep 0.05
    done
    sleep 0.2
    xdotool mouseup 1
    [ -n "$alt" ] && xdotool keyup alt
    return 0
}

# The short demo: two swatches (red and blue) dragged onto canvas A, where
# their colours spread towards each other.
qm_demo_drags() {
    qm_drag 120 50 250 330
    qm_drag 220 50 400 430
}

qm_stop() {
    if [ -n "${QM_PID:-}" ] && kill -0 "$QM_PID" 2>/dev/null; then
        kill "$QM_PID"
        wait "$QM_PID" 2>/dev/null || true
    fi
}

# qm_presents FILE: the counts that the swap counter keeps in the file named
# by QM_PRESENT_COUNT_FILE (see count-swaps.c), as six numbers on one line:
# whole swaps, copy-sub-buffer calls (rectangles), runs of such calls (one
# frame each), pixels those calls copied, lookups of glXCopySubBufferMESA
# answered and lookups refused because the extension was hidden. Zeros
# before the program presented anything. The counter updates the line in
# place; a line read while it was being written fails its check sum and is
# read again.
qm_presents() {
    local f
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        if [ ! -s "$1" ]; then
            echo "0 0 0 0 0 0"
            return 0
        fi
        f=()
        read -r -a f <"$1" 2>/dev/null || true
        if [ "${#f[@]}" -eq 7 ] &&
            [ $((f[0] + f[1] + f[2] + f[3] + f[4] + f[5])) -eq $((f[6])) ]; then
            echo "$((f[0])) $((f[1])) $((f[2])) $((f[3])) $((f[4])) $((f[5]))"
            return 0
        fi
        sleep 0.001
    done
    echo "drive-program: no consistent present counts in $1" >&2
    return 1
}

# qm_wakeups PID: how many times the threads of the process have been
# switched out so far: the sum over its threads (/proc/PID/task/*/status)
# of voluntary_ctxt_switches (the thread blocked, and a wake-up ended that)
# and nonvoluntary_ctxt_switches (the scheduler took the core from it).
# Threads that have ended are no longer in the sum.
qm_wakeups() {
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(non)?voluntary_ctxt_switches:/ { n += $2 } END { print n + 0 }'
}

# qm_thread_wakeups PID: the same per thread, one line each:
# TID NAME VOLUNTARY NONVOLUNTARY (spaces in a name become underscores).
qm_thread_wakeups() {
    local t
    for t in /proc/"$1"/task/*; do
        awk -v tid="${t##*/}" '
            /^Name:/ { name = substr($0, 7); gsub(/[ \t]/, "_", name) }
            /^voluntary_ctxt_switches:/ { v = $2 }
            /^nonvoluntary_ctxt_switches:/ { n = $2 }
            END { if (name != "") print tid, name, v + 0, n + 0 }' "$t/status" 2>/dev/null || true
    done
}
