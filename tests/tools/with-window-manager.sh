#!/usr/bin/env bash
# Runs a command on $DISPLAY with a real window manager managing the screen,
# and stops the window manager afterwards. Meant to run inside with-xvfb.sh.
# Usage: with-window-manager.sh openbox|i3 command [args...]
# The command sees QM_WINDOW_MANAGER set to the window manager's name.
set -euo pipefail

wm=$1
shift
workdir=$(mktemp -d)
trap 'kill "$wm_pid" 2>/dev/null || true; wait "$wm_pid" 2>/dev/null || true; rm -rf "$workdir"' EXIT

case "$wm" in
openbox)
    openbox --sm-disable >"$workdir/wm.log" 2>&1 &
    ;;
i3)
    # Without a configuration file i3 starts its first-run wizard.
    printf 'font pango:monospace 8\n' >"$workdir/i3.config"
    i3 -c "$workdir/i3.config" >"$workdir/wm.log" 2>&1 &
    ;;
*)
    echo "with-window-manager: unknown window manager '$wm'" >&2
    exit 2
    ;;
esac
wm_pid=$!

# A window manager that has taken over the screen names its check window on
# the root; windows mapped before that may stay unmanaged.
for _ in $(seq 1 100); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        break
    fi
    if ! kill -0 "$wm_pid" 2>/dev/null; then
        echo "with-window-manager: $wm did not start:" >&2
        cat "$workdir/wm.log" >&2
        exit 1
    fi
    sleep 0.05
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    echo "with-window-manager: $wm never took over the screen" >&2
    exit 1
fi
# It announces itself before it is ready for the first map.
sleep 0.5

QM_WINDOW_MANAGER=$wm "$@"
