#!/usr/bin/env bash
# Usage: bench/program/count-round-trips.sh [seconds per phase] [binary]
# Counts the X round trips the real program makes, in the phases of
# bench/program/program-phases.sh (blank at rest, spreading, painted at rest,
# settled, dragging over empty window, dragging over canvas), on a private
# Xvfb server.
#
# The program connects to the X server through xtrace (Debian package
# xtrace), which passes every request, reply, event and error on and logs
# it; xdotool talks to the server directly, so only the program's own
# connections are in the log. A round trip is a reply the server sent to the
# program: a line of the log with "Reply to" in it, which names the request
# it answers. For each phase the script gives the replies per second, the
# requests they answered (most frequent first), and, for scale, the frames
# per second (counted by tests/tools/count-swaps.c, preloaded), the requests and
# events per second and any errors. The phase is the part of the log written
# between its start and its end.
#
# The counter also brackets each glXSwapBuffers and glXCopySubBufferMESA
# call with two X NoOperation requests (QM_MARK_PRESENTS=1), which have no
# reply and cost the server nothing; replies to requests sent between the two
# are given as made "while presenting": Mesa's own, such as the XSync
# (GetInputFocus) its software rasteriser makes after each image it puts.
#
# xtrace decodes and writes out every message, so the program runs a little
# slower than without it; the counts per frame are what to compare.
#
# Usage: [QM_WM=openbox|i3] [QM_SCREEN=WxH] [QM_SETTLE_SECONDS=S]
#        count-round-trips.sh [seconds per phase] [binary]
#        (defaults: no window manager, 1280x1024, 10, build/program/quillmere)
#        QM_XTRACE_LOG=FILE keeps the whole log in FILE.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:-10}
binary=${2:-build/program/quillmere}

source tests/tools/drive-program.sh
qm_under_xvfb "$0" "$seconds" "$binary"
source bench/program/program-phases.sh

command -v xtrace >/dev/null || {
    echo "count-round-trips: xtrace is missing (apt-get install xtrace)" >&2
    exit 1
}
[ -x "$binary" ] || {
    echo "count-round-trips: no program at $binary" >&2
    exit 1
}

work=$(mktemp -d)
xtrace_pid=
fake=
cleanup() {
    xdotool mouseup 1 2>/dev/null || true
    qm_stop
    if [ -n "$xtrace_pid" ]; then
        kill "$xtrace_pid" 2>/dev/null || true
        wait "$xtrace_pid" 2>/dev/null || true
        rm -f "/tmp/.X11-unix/X$fake"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

log=${QM_XTRACE_LOG:-$work/xtrace.log}
counter=$(qm_swap_counter)

# xtrace pretends to be a server on a display of its own, the first free one
# above the real server's.
real=$DISPLAY
number=${real#:}
number=${number%%.*}
for candidate in $(seq $((number + 1)) $((number + 200))); do
    [ -e "/tmp/.X11-unix/X$candidate" ] || [ -e "/tmp/.X$candidate-lock" ] && continue
    xtrace -n -k -d "$real" -D ":$candidate" -o "$log" >"$work/xtrace.out" 2>&1 &
    xtrace_pid=$!
    for _ in $(seq 1 40); do
        [ -S "/tmp/.X11-unix/X$candidate" ] && break
        kill -0 "$xtrace_pid" 2>/dev/null || break
        sleep 0.05
    done
    if [ -S "/tmp/.X11-unix/X$candidate" ] && kill -0 "$xtrace_pid" 2>/dev/null; then
        fake=$candidate
        break
    fi
    kill "$xtrace_pid" 2>/dev/null || true
    wait "$xtrace_pid" 2>/dev/null || true
    xtrace_pid=
done
[ -n "$fake" ] || {
    echo "count-round-trips: xtrace could not start:" >&2
    cat "$work/xtrace.out" >&2
    exit 1
}

log_size() {
    stat -c %s "$log" 2>/dev/null || echo 0
}

measure_phase() {
    local label=$1 t0 t1 b0 b1 p0 p1
    t0=$(qm_now)
    b0=$(log_size)
    p0=$(qm_presents "$work/presents")
    sleep "$seconds"
    t1=$(qm_now)
    b1=$(log_size)
    p1=$(qm_presents "$work/presents")
    dd if="$log" of="$work/phase.log" iflag=skip_bytes,count_bytes skip="$b0" count=$((b1 - b0)) \
        bs=1M status=none
    awk -v label="$label" -v t0="$t0" -v t1="$t1" -v p0="$p0" -v p1="$p1" '
        # Lines are connection:direction:sequence:..., requests "<", the
        # rest ">". The counter brackets each present call with two
        # NoOperation requests; a reply is counted as made while presenting
        # when the request it answers came between the two.
        /^[0-9]+:<:[0-9a-f]+: *[0-9]+: / {
            split($0, head, ":")
            if ($0 ~ /: NoOperation/) {
                presenting[head[1]] = !presenting[head[1]]
                next
            }
            requests++
            inside[head[1] ":" head[3]] = presenting[head[1]]
            next
        }
        match($0, /^[0-9]+:>:[0-9a-f]+: *[0-9]+: Reply to [^ :]+/) {
            split($0, head, ":")
            name = substr($0, RSTART, RLENGTH)
            sub(/.*Reply to /, "", name)
            connections[head[1]] = 1
            if (!(head[1] ":" head[3] in inside)) unknown++
            key = head[1] " " name
            replies++
            count[key]++
            if (inside[head[1] ":" head[3]]) { in_present++; count_present[key]++ }
            next
        }
        /^[0-9]+:>:[0-9a-f]+:Error/ { errors++; error_line[errors] = $0; next }
        /^[0-9]+:>:[0-9a-f]+: Event/ { events++; next }
        END {
            t = t1 - t0
            split(p0, a, " "); split(p1, b, " ")
            frames = (b[1] + b[3]) - (a[1] + a[3])
            printf "%-28s %7.1f round trips/s, %.1f of them while presenting   %5.1f frames/s\n",
                label ":", replies / t, in_present / t, frames / t
            printf "    (%d replies in %.1f s; %.1f requests/s, %.1f events/s, %d errors)\n",
                replies, t, requests / t, events / t, errors
            n = 0
            for (c in connections) n++
            # The answered requests, most frequent first, with the connection
            # where more than one connection had replies.
            line = ""
            shown_count = 0
            while (1) {
                best = ""; most = 0
                for (k in count) if (count[k] > most) { best = k; most = count[k] }
                if (best == "") break
                split(best, parts, " ")
                shown = parts[2] (n > 1 ? " (connection " parts[1] ")" : "")
                line = line sprintf("%s%s %.1f/s", shown_count ? ", " : "", shown, most / t)
                if (count_present[best]) line = line sprintf(" (%.1f/s while presenting)", count_present[best] / t)
                delete count[best]
                shown_count++
            }
            if (shown_count) printf "    replies to: %s\n", line
            if (unknown) printf "    %d replies answer requests sent before the phase began\n", unknown
            for (i = 1; i <= errors && i <= 3; i++) printf "    error: %s\n", substr(error_line[i], 1, 200)
        }' "$work/phase.log"
}

phase_note() {
    echo "    $*"
}

echo "xtrace $(dpkg-query -W -f '${Version}' xtrace 2>/dev/null || echo '(version unknown)') between the program and Xvfb; phases of $seconds s"
qm_start "$work/program.log" env DISPLAY=":$fake" LD_PRELOAD="$counter" \
    QM_PRESENT_COUNT_FILE="$work/presents" QM_MARK_PRESENTS=1 "$binary"
qm_dismiss_banner
qm_wait_main_window
echo "$binary: window ${QM_WINDOW_SIZE} on a ${QM_SCREEN:-1280x1024} screen, window manager: ${QM_WM:-none}"
qm_run_phases
