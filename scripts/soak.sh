#!/usr/bin/env bash
# Soaks the real program: starts it under a private Xvfb server as a user
# would, dismisses the banner and sends random input through xdotool for
# DURATION seconds: drags, Alt-drags (each leaves a copy), drags that leave
# the window, presses where nothing lies, keys (Alt and Shift alone, Ctrl
# letters, arrows, function keys), wheel notches, middle and right clicks,
# and attempts to resize the window. Every few seconds it checks that the
# process is alive and still draws: a frame when the picture changed, or
# when the window was mapped again. At the end it checks that
# the window still has its size, that resident memory grew by no more than
# the copies explain, and that closing the window the way a window manager
# does, in the middle of an Alt-drag, ends the program with status 0.
#
# A program built with AddressSanitizer runs with Mesa's driver kept loaded
# (scripts/keep-gl-driver.sh), so LeakSanitizer checks the whole session at
# exit and any leak of our own turns the exit status non-zero. Its memory is
# not bounded here: the sanitizer's quarantine holds freed memory back.
#
# Frames are counted outside the program: a small preloaded library wraps
# glXSwapBuffers and writes the running count to a file.
#
# Usage: soak.sh DURATION [PROGRAM [CLOSE_WINDOW]]
#        (defaults: build/program/quillmere, build/tests/glut/close_window)
# QM_SOAK_SEED picks the input sequence (default: from the clock; printed).
set -euo pipefail
cd "$(dirname "$0")/.."

duration=${1:?usage: soak.sh DURATION [PROGRAM [CLOSE_WINDOW]]}
binary=$(realpath "${2:-build/program/quillmere}")
closer=$(realpath "${3:-build/tests/glut/close_window}")

source scripts/drive-program.sh
qm_under_xvfb "$0" "$duration" "$binary" "$closer"
work=$(mktemp -d)
trap 'xdotool keyup alt mouseup 1 2>/dev/null || true; qm_stop; rm -rf "$work"' EXIT

seed=${QM_SOAK_SEED:-$(date +%s)}
RANDOM=$seed
echo "soak: ${duration} s of random input, seed $seed, program $binary"

fail() {
    echo "soak: FAILED: $*" >&2
    echo "soak: the program's output:" >&2
    cat "$work/program.log" >&2
    exit 1
}

qm_build_swap_counter "$work/count_swaps.so"

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

# A random point inside the window.
random_point() {
    echo $((RANDOM % 1024)) $((RANDOM % 800))
}

# Where the scene's surfaces start: the swatch row and the two canvases.
random_surface_point() {
    case $((RANDOM % 3)) in
    0) echo $((100 + RANDOM % 340)) $((30 + RANDOM % 40)) ;;
    1) echo $((100 + RANDOM % 480)) $((170 + RANDOM % 480)) ;;
    *) echo $((600 + RANDOM % 120)) $((500 + RANDOM % 120)) ;;
    esac
}

keys=(a q x Return space Escape Tab BackSpace Delete F1 F5 F12 Left Right Up Down
    Home Next ctrl+a ctrl+shift+z shift+a Alt_L Shift_L Control_R Super_L)

drags=0 copies=0 outside=0 pressed_empty=0 keypresses=0 notches=0 other_clicks=0 resizes=0

act() {
    local choice=$((RANDOM % 20)) from to
    if [ "$choice" -lt 6 ]; then
        read -r -a from < <(random_surface_point)
        read -r -a to < <(random_point)
        qm_drag "${from[@]}" "${to[@]}"
        drags=$((drags + 1))
    elif [ "$choice" -lt 8 ]; then
        read -r -a from < <(random_surface_point)
        read -r -a to < <(random_point)
        qm_drag "${from[@]}" "${to[@]}" alt
        copies=$((copies + 1))
    elif [ "$choice" -lt 9 ]; then
        # Out of the window while held: the pointer's world position runs
        # far off the view, and the release happens outside.
        read -r -a from < <(random_surface_point)
        qm_drag "${from[@]}" $((RANDOM % 3000 - 1000)) $((RANDOM % 3000 - 1000))
        outside=$((outside + 1))
    elif [ "$choice" -lt 11 ]; then
        read -r -a from < <(random_point)
        qm_drag "${from[@]}" "${from[0]}" "${from[1]}"
        pressed_empty=$((pressed_empty + 1))
    elif [ "$choice" -lt 15 ]; then
        xdotool key "${keys[RANDOM % ${#keys[@]}]}"
        keypresses=$((keypresses + 1))
    elif [ "$choice" -lt 17 ]; then
        read -r -a to < <(random_point)
        xdotool mousemove --window "$QM_WINDOW" "${to[@]}" click --repeat $((1 + RANDOM % 3)) $((4 + RANDOM % 2))
        notches=$((notches + 1))
    elif [ "$choice" -lt 19 ]; then
        read -r -a to < <(random_point)
        xdotool mousemove --window "$QM_WINDOW" "${to[@]}" click $((2 + RANDOM % 2))
        other_clicks=$((other_clicks + 1))
    else
        xdotool windowsize "$QM_WINDOW" $((200 + RANDOM % 1000)) $((150 + RANDOM % 800))
        resizes=$((resizes + 1))
    fi
}

qm_start "$work/program.log" env LD_PRELOAD="$work/count_swaps.so" \
    QM_SWAP_COUNT_FILE="$work/swaps" bash scripts/keep-gl-driver.sh "$binary"
qm_dismiss_banner || fail "no banner"
qm_wait_main_window || fail "no main window"
sleep 2
rss_start=$(rss_kib)
last_swaps=$(swaps)
start=$SECONDS
next_check=$((SECONDS + 5))
while [ $((SECONDS - start)) -lt "$duration" ]; do
    act
    if [ "$SECONDS" -ge "$next_check" ]; then
        kill -0 "$QM_PID" 2>/dev/null || fail "the program ended during the soak"
        # The program draws only when the picture changes, and random input
        # may change nothing for a while; unmapping and mapping the window
        # makes it draw the picture again, if it still answers.
        if [ "$(swaps)" -le "$last_swaps" ]; then
            xdotool windowunmap --sync "$QM_WINDOW" windowmap --sync "$QM_WINDOW"
            sleep 1
        fi
        now_swaps=$(swaps)
        [ "$now_swaps" -gt "$last_swaps" ] ||
            fail "no frame for 5 s, nor after the window was mapped again (still at $now_swaps)"
        last_swaps=$now_swaps
        next_check=$((SECONDS + 5))
    fi
done

# Let any resize that is still being undone settle.
sleep 1
kill -0 "$QM_PID" 2>/dev/null || fail "the program ended during the soak"
size=$(qm_size_of "$QM_WINDOW")
[ "$size" = 1024x800 ] || fail "the window is $size after the resize attempts"
rss_end=$(rss_kib)
frames=$(swaps)
echo "soak: $drags drags, $copies Alt-drags, $outside drags out of the window," \
    "$pressed_empty presses on the spot, $keypresses keys, $notches wheel turns," \
    "$other_clicks middle or right clicks, $resizes resize attempts; $frames frames"
echo "soak: resident memory ${rss_start} KiB after start-up, ${rss_end} KiB at the end"

if ! $sanitized; then
    # A copy holds two buffers of at most 48 x 48 cells of 104 bytes.
    allowed=$((8192 + copies * 2 * 48 * 48 * 104 / 1024))
    [ $((rss_end - rss_start)) -le "$allowed" ] ||
        fail "resident memory grew by $((rss_end - rss_start)) KiB; $copies copies explain $allowed KiB"
fi

# Closed during a held Alt-drag: the drag still under way must not leak.
read -r -a from < <(random_surface_point)
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
