#!/usr/bin/env bash
# Saves a desktop program's start picture as a PNG: its main window, opened
# with --no-banner --seed 7 on a private Xvfb server, once it is 1024 by 800
# and its picture has stopped changing. The web build's tests compare their
# page with the Linux program's picture taken so.
# Usage: start-picture.sh BINARY OUTPUT.png
set -euo pipefail
binary=$(realpath "$1")
output=$(realpath -m "$2")

source "$(dirname "$0")/drive-program.sh"
qm_under_xvfb "$0" "$@"
log=$(mktemp)
trap 'qm_stop; rm -f "$log"' EXIT

qm_start "$log" "$binary" --no-banner --seed 7
qm_wait_main_window
# PNG files carry their time of making, so the pixels alone are compared.
previous=
for _ in $(seq 1 50); do
    sleep 0.3
    [ "$(qm_size_of "$QM_WINDOW")" = 1024x800 ] || continue
    now=$(import -window "$QM_WINDOW" rgb:- | md5sum)
    if [ "$now" = "$previous" ]; then
        import -window "$QM_WINDOW" -strip "PNG24:$output"
        exit 0
    fi
    previous=$now
done
echo "start-picture: the window did not come to rest at 1024x800; the program said:" >&2
cat "$log" >&2
exit 1
