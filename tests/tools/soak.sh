#!/usr/bin/env bash
# Soaks the real program: starts it under a private Xvfb server as a user
# would, dismisses the banner and sends random input through xdotool for
# DURATION seconds: drags, Alt-drags (each leaves a copy), drags that leave
# the window, presses where nothing lies, keys (Alt and Shift alone, Ctrl
# letters, arrows, function keys), wheel notches, middle and right clicks,
# and attempts to resize the window. Every few seconds it checks that the
# process is alive and still draws: a frame when the picture changed, or
# when the window was mapped again. At the end it checks that
# the window still has its size, that resident memory grew after a warm-up by
# no more than the copies explain, and that closing the window the way a
# window manager does, in the middle of an Alt-drag, ends the program with
# status 0.
#
# The acts and every position in them come from bash's RANDOM, drawn in this
# shell alone, so a seed replays the same session. Any failure names the act
# under way, whether the program still runs (or how it ended) and its output,
# and keeps that output in a file.
#
# A program built with AddressSanitizer runs with Mesa's driver kept loaded
# (tests/tools/keep-gl-driver.sh), so LeakSanitizer checks the whole session at
# exit and any leak of our own turns the exit status non-zero. Its memory is
# not bounded here: the sanitizer's quarantine holds freed memory back.
#
# Frames are counted outside the program: a small preloaded library wraps
# glXSwapBuffers and writes the running count to a file.
#
# Usage: soak.sh ACTS [PROGRAM [CLOSE_WINDOW]]
#        (defaults: build/program/quillmere, build/tests/glut/close_window)
# QM_SOAK_SEED picks the input sequence (default: from the clock; printed).
# QM_NO_SHM=1 runs it on a server without MIT-SHM, as a remote display is.
set -eEuo pipefail
cd "$(dirname "$0")/../.."

acts=${1:?usage: soak.sh ACTS [PROGRAM [CLOSE_WINDOW]]}
binary=$(realpath "${2:-build/program/quillmere}")
closer=$(realpath "${3:-build/tests/glut/close_window}")

source tests/tools/drive-program.sh
qm_under_xvfb "$0" "$acts" "$binary" "$closer"
work=$(mktemp -d)
trap 'xdotool keyup alt mouseup 1 2>/dev/null || true; qm_stop; rm -rf "$work"' EXIT

seed=${QM_SOAK_SEED:-$(date +%s)}
RANDOM=$seed
echo "soak: $acts random acts after a warm-up, seed $seed, program $binary"

# What is under way, for a failure to name.
doing="starting the program"
done_acts=0

# How the program is: running, or how it ended.
program_state() {
    local status=0
    if kill -0 "$QM_PID" 2>/dev/null; then
        echo "the program is still running"
        return 0
    fi
    wait "$QM_PID" 2>/dev/null || status=$?
    QM_PID=
    if [ "$status" -gt 128 ]; then
        echo "the program was ended by signal $((status - 128))"
    else
        echo "the program ended with status $status"
    fi
}

fail() {
    trap - ERR
    local kept
    kept=$(mktemp --tmpdir quillmere-soak-XXXXXX.log)
    cp "$work/program.log" "$kept" 2>/dev/null || true
    {
        echo "soak: FAILED after $done_acts acts, while $doing (seed $seed): $*"
        echo "soak: $(program_state)"
        echo "soak: the program's output (kept in $kept):"
        cat "$kept"
    } >&2
    exit 1
}
# A command that fails outside a check, such as xdotool on a window that is
# gone, fails the soak with the same report; in a subshell it only ends the
# subshell, whose caller then fails.
on_error() {
    local status=$? command=$BASH_COMMAND
    trap - ERR
    [ "$BASHPID" = "$$" ] || exit 1
    fail "\"$command\" failed with status $status"
}
trap on_error ERR

counter=$(qm_swap_counter)

# Read whole: a reader that stops at the first match would break ldd's pipe.
sanitized=false
case "$(ldd "$binary")" in
*libasan.so*) sanitized=true ;;
esac

swaps() {
    qm_swaps "$work/swaps"
}

rss_kib() {
    awk '/^VmRSS:/ {print $2}' "/proc/$QM_PID/status"
}

# These set the array named by their first argument rather than print, since
# a subshell would draw its own numbers and a seed would not replay.
# A random point inside the window.
random_point() {
    local -n point=$1
    point=($((RANDOM % 1024)) $((RANDOM % 800)))
}

# Where the scene's surfaces start: the swatch row and the two canvases.
random_surface_point() {
    local -n point=$1
    case $((RANDOM % 3)) in
    0) point=($((100 + RANDOM % 340)) $((30 + RANDOM % 40))) ;;
    1) point=($((100 + RANDOM % 480)) $((170 + RANDOM % 480))) ;;
    *) point=($((600 + RANDOM % 120)) $((500 + RANDOM % 120))) ;;
    esac
}

keys=(a q x Return space Escape Tab BackSpace Delete F1 F5 F12 Left Right Up Down
    Home Next ctrl+a ctrl+shift+z shift+a Alt_L Shift_L Control_R Super_L)

reset_counts() {
    drags=0 copies=0 outside=0 pressed_empty=0 keypresses=0 notches=0 other_clicks=0 resizes=0
}
reset_counts

# One random act. `doing` names it, with its positions, before it starts.
act() {
    local choice=$((RANDOM % 20)) from to n button key size
    if [ "$choice" -lt 6 ]; then
        random_surface_point from
        random_point to
        doing="a drag from ${from[*]} to ${to[*]}"
        qm_drag "${from[@]}" "${to[@]}"
        drags=$((drags + 1))
    elif [ "$choice" -lt 8 ]; then
        random_surface_point from
        random_point to
        doing="an Alt-drag from ${from[*]} to ${to[*]}"
        qm_drag "${from[@]}" "${to[@]}" alt
        copies=$((copies + 1))
    elif [ "$choice" -lt 9 ]; then
        # Out of the window while held: the pointer's world position runs
        # far off the view, and the release happens outside.
        random_surface_point from
        to=($((RANDOM % 3000 - 1000)) $((RANDOM % 3000 - 1000)))
        doing="a drag from ${from[*]} out of the window to ${to[*]}"
        qm_drag "${from[@]}" "${to[@]}"
        outside=$((outside + 1))
    elif [ "$choice" -lt 11 ]; then
        random_point from
        doing="a press and release at ${from[*]}"
        qm_drag "${from[@]}" "${from[0]}" "${from[1]}"
        pressed_empty=$((pressed_empty + 1))
    elif [ "$choice" -lt 15 ]; then
        key=${keys[RANDOM % ${#keys[@]}]}
        doing="the key $key"
        xdotool key "$key"
        keypresses=$((keypresses + 1))
    elif [ "$choice" -lt 17 ]; then
        random_point to
        n=$((1 + RANDOM % 3)) button=$((4 + RANDOM % 2))
        doing="$n wheel notches (button $button) at ${to[*]}"
        xdotool mousemove --window "$QM_WINDOW" "${to[@]}" click --repeat "$n" "$button"
        notches=$((notches + 1))
    elif [ "$choice" -lt 19 ]; then
        random_point to
        button=$((2 + RANDOM % 2))
        doing="a click of button $button at ${to[*]}"
        xdotool mousemove --window "$QM_WINDOW" "${to[@]}" click "$button"
        other_clicks=$((other_clicks + 1))
    else
        size=($((200 + RANDOM % 1000)) $((150 + RANDOM % 800)))
        doing="a resize to ${size[0]}x${size[1]}"
        xdotool windowsize "$QM_WINDOW" "${size[@]}"
        resizes=$((resizes + 1))
    fi
    doing="act $((done_acts + 1)), $doing"
    echo "$doing" >>"$work/acts"
}

# The program draws only when the picture changes, and random input may
# change nothing for a while; unmapping and mapping the window makes it draw
# the picture again, if it still answers.
check_alive_and_drawing() {
    kill -0 "$QM_PID" 2>/dev/null || fail "the program ended"
    if [ "$(swaps)" -le "$last_swaps" ]; then
        xdotool windowunmap --sync "$QM_WINDOW" windowmap --sync "$QM_WINDOW"
        sleep 1
    fi
    now_swaps=$(swaps)
    [ "$now_swaps" -gt "$last_swaps" ] ||
        fail "no frame for 5 s, nor after the window was mapped again (still at $now_swaps)"
    last_swaps=$now_swaps
    next_check=$((SECONDS + 5))
}

# run_acts N: N acts, with a check every five seconds.
run_acts() {
    local i
    for ((i = 0; i < $1; i++)); do
        act
        done_acts=$((done_acts + 1))
        doing="checking after act $done_acts"
        [ "$SECONDS" -lt "$next_check" ] || check_alive_and_drawing
    done
}

qm_start "$work/program.log" env LD_PRELOAD="$counter" \
    QM_SWAP_COUNT_FILE="$work/swaps" bash tests/tools/keep-gl-driver.sh "$binary"
qm_dismiss_banner || fail "no banner"
qm_wait_main_window || fail "no main window"
last_swaps=$(swaps)
next_check=$((SECONDS + 5))
# Resident memory is measured from after a warm-up, in which the GL driver,
# the allocator and the copies' buffers reach their working sizes, so that
# the bound is on growth alone.
warm_up=20
run_acts "$warm_up"
doing="taking the memory baseline after the warm-up"
sleep 1
rss_start=$(rss_kib)
reset_counts
start=$SECONDS
run_acts "$acts"
# Let any resize that is still being undone settle.
doing="checking after the last act"
sleep 1
kill -0 "$QM_PID" 2>/dev/null || fail "the program ended"
size=$(qm_size_of "$QM_WINDOW")
[ "$size" = 1024x800 ] || fail "the window is $size after the resize attempts"
rss_end=$(rss_kib)
frames=$(swaps)
echo "soak: $done_acts acts ($warm_up of them a warm-up) in $((SECONDS - start)) s" \
    "after the warm-up: $drags drags, $copies Alt-drags, $outside drags out of the window," \
    "$pressed_empty presses on the spot, $keypresses keys, $notches wheel turns," \
    "$other_clicks middle or right clicks, $resizes resize attempts; $frames frames"
# Runs with the same seed made the same acts when these agree.
echo "soak: the acts' digest $(sha1sum <"$work/acts" | cut -c1-16)"
echo "soak: resident memory ${rss_start} KiB after the warm-up, ${rss_end} KiB at the end"

if ! $sanitized; then
    # A copy holds two buffers of at most 48 x 48 cells of 104 bytes.
    allowed=$((8192 + copies * 2 * 48 * 48 * 104 / 1024))
    [ $((rss_end - rss_start)) -le "$allowed" ] ||
        fail "resident memory grew by $((rss_end - rss_start)) KiB; $copies copies explain $allowed KiB"
fi

# Closed during a held Alt-drag: the drag still under way must not leak.
doing="closing the window during an Alt-drag"
random_surface_point from
xdotool mousemove --window "$QM_WINDOW" "${from[@]}"
sleep 0.1
xdotool keydown alt mousedown 1
xdotool mousemove --window "$QM_WINDOW" 512 400
sleep 0.2
"$closer" "$QM_WINDOW"
status=
for _ in $(seq 1 600); do
    if ! kill -0 "$QM_PID" 2>/dev/null; then
        status=0
        wait "$QM_PID" || status=$?
        break
    fi
    sleep 0.05
done
xdotool mouseup 1 keyup alt
[ -n "$status" ] || fail "the program did not end within 30 s of the window closing"
QM_PID=
if grep -qE 'Sanitizer|runtime error' "$work/program.log"; then
    fail "a sanitizer reported a fault"
fi
[ "$status" -eq 0 ] || fail "closing the window ended the program with status $status"
echo "soak: the window closed during an Alt-drag and the program ended with status 0"
