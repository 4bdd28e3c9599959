# Usage: sourced by measure-program.sh and count-round-trips.sh, not run.
# shellcheck shell=bash
# The phases in which measure-program.sh and count-round-trips.sh measure the
# program, driven through xdotool as a user would, in this order:
#
#   blank at rest               the scene as it starts, canvases blank, no
#                               input, from 2 s after the banner went;
#   spreading                   from 1 s after the red and blue swatches were
#                               dropped onto canvas A (qm_demo_drags);
#   painted at rest             the same two swatches left lying, from 10 s
#                               after the drop (or when spreading ends, if
#                               later);
#   settled                     the two swatches dragged off canvas A into the
#                               empty strip below it, then left alone for
#                               QM_SETTLE_SECONDS (default 10) until their
#                               colour has faded from the canvases;
#   dragging over empty window  the yellow swatch carried round a circle of
#                               radius 100 in the empty right part of the
#                               window, from 2 s after the press;
#   dragging over canvas        the orange swatch carried round a circle of
#                               radius 120 over canvas A, from 2 s after the
#                               press.
#
# Fading: a layer that no swatch feeds loses 0.01 of its amount every tick
# and never holds more than 1, so a canvas is blank again at most 100 ticks
# (3.3 s at 30 ticks a second) after the swatches left it; under Xvfb the
# picture of the program at f823e06 stopped changing 3 s after the drag off.
# QM_SETTLE_SECONDS=10 leaves room for ticks slowed down by load; whether the
# canvases are blank again is checked against a picture of them taken before
# the first phase (with ImageMagick's import, where it is installed).
#
# While dragging, one xdotool process moves the pointer every 20 ms for the
# whole phase, so that the program sees a new position at every tick; the
# swatch goes round its circle 15 degrees a step.
#
# Sourced after drive-program.sh. The caller sets `seconds` (the length of a
# phase), has started the program and found its window (QM_PID, QM_WINDOW),
# and defines
#   measure_phase LABEL   measures for `seconds` seconds and reports;
#   phase_note TEXT       reports a finding about the phases (optional).

qm_now() {
    date +%s.%N
}

# qm_sleep_until T: sleeps until the time T (as qm_now gives it), if it is
# still to come.
qm_sleep_until() {
    local left
    left=$(awk -v t="$1" -v now="$(qm_now)" 'BEGIN { d = t - now; printf "%.3f", (d > 0 ? d : 0) }')
    sleep "$left"
}

# Where the pointer waits while nothing is dragged: empty window space, away
# from every place a swatch is dropped.
qm_park_pointer() {
    xdotool mousemove --sync --window "$QM_WINDOW" 900 700
}

# A digest of the pixels of both canvases (canvas A at (100, 170), 480 x 480
# pixels, canvas B at (600, 500), 120 x 120), or nothing without import.
qm_canvases_digest() {
    command -v import >/dev/null 2>&1 || return 0
    {
        local s=${QM_SCALE:-1}
        import -window "$QM_WINDOW" -crop $((480 * s))x$((480 * s))+$((100 * s))+$((170 * s)) \
            +repage rgb:- 2>/dev/null
        import -window "$QM_WINDOW" -crop $((120 * s))x$((120 * s))+$((600 * s))+$((500 * s)) \
            +repage rgb:- 2>/dev/null
    } | md5sum | cut -d ' ' -f 1
}

# qm_circle_path CX CY R: the xdotool arguments that move the pointer round
# a circle about the window pixel (CX, CY) for the phase and 5 s more.
qm_circle_path() {
    # shellcheck disable=SC2154 # seconds is set by the caller
    awk -v steps=$((seconds * 50 + 250)) -v cx="$1" -v cy="$2" -v r="$3" \
        -v window="$QM_WINDOW" 'BEGIN {
        for (i = 0; i < steps; i++) {
            a = i * 3.14159265 / 12
            printf "mousemove --window %s %d %d sleep 0.02 ", window,
                cx + int(r * cos(a)), cy + int(r * sin(a))
        }
    }'
}

# qm_drag_round_phase LABEL X Y CX CY R: presses on the window pixel (X, Y),
# carries what lies there round the circle and measures LABEL meanwhile;
# releases it where the circle had got to.
qm_drag_round_phase() {
    local label=$1 x=$2 y=$3 dragger
    xdotool mousemove --sync --window "$QM_WINDOW" "$x" "$y"
    sleep 0.2
    xdotool mousedown 1
    # shellcheck disable=SC2046
    xdotool $(qm_circle_path "$4" "$5" "$6") &
    dragger=$!
    sleep 2
    measure_phase "$label"
    kill "$dragger" 2>/dev/null || true
    wait "$dragger" 2>/dev/null || true
    xdotool mouseup 1
}

qm_run_phases() {
    local blank drop settled_digest
    declare -F phase_note >/dev/null || phase_note() { echo "$*"; }

    # Start-up and the first frames are left out.
    qm_park_pointer
    sleep 1
    blank=$(qm_canvases_digest)
    sleep 1
    measure_phase "blank at rest"

    qm_demo_drags
    drop=$(qm_now)
    qm_park_pointer
    qm_sleep_until "$(awk -v t="$drop" 'BEGIN { printf "%.3f", t + 1 }')"
    measure_phase "spreading"
    qm_sleep_until "$(awk -v t="$drop" 'BEGIN { printf "%.3f", t + 10 }')"
    measure_phase "painted at rest"

    # Red (its centre now at (250, 330)) and blue (at (400, 430)) go to the
    # empty strip below canvas A.
    qm_drag 250 330 150 730
    qm_drag 400 430 250 730
    qm_park_pointer
    sleep "${QM_SETTLE_SECONDS:-10}"
    settled_digest=$(qm_canvases_digest)
    if [ -z "$blank" ]; then
        phase_note "(canvases not checked for blankness: ImageMagick's import is missing)"
    elif [ "$settled_digest" = "$blank" ]; then
        phase_note "(canvases blank again ${QM_SETTLE_SECONDS:-10} s after the drag off: yes)"
    else
        phase_note "(canvases blank again ${QM_SETTLE_SECONDS:-10} s after the drag off: NO, colour is left)"
    fi
    measure_phase "settled"

    # Yellow, from the swatch row, round the empty right part of the window.
    qm_drag_round_phase "dragging over empty window" 270 50 870 300 100
    # Orange, from the swatch row, round canvas A.
    qm_drag_round_phase "dragging over canvas" 320 50 330 400 120
}
