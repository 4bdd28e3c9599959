#!/usr/bin/env bash
# Runs a command under a private Xvfb server on a display that Xvfb itself
# picks (-displayfd), so parallel runs never race for the same number.
# Usage: with-xvfb.sh [-s WxHxD] [--no-shm] command [args...]
# --no-shm: a server without the MIT-SHM extension, as a remote display (ssh
# -X) is, where every picture reaches the server through the connection.
set -euo pipefail

screen=1280x1024x24
extensions=()
while [ $# -gt 0 ]; do
    case $1 in
    -s) screen=$2 && shift 2 ;;
    --no-shm) extensions=(-extension MIT-SHM) && shift ;;
    *) break ;;
    esac
done

workdir=$(mktemp -d)
trap 'kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; rm -rf "$workdir"' EXIT

Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset "${extensions[@]}" 3>"$workdir/display" 2>"$workdir/xvfb.log" &
xvfb_pid=$!

for _ in $(seq 1 100); do
    [ -s "$workdir/display" ] && break
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "with-xvfb: Xvfb did not start:" >&2
        cat "$workdir/xvfb.log" >&2
        exit 1
    fi
    sleep 0.05
done
if [ ! -s "$workdir/display" ]; then
    echo "with-xvfb: Xvfb did not report a display" >&2
    exit 1
fi

export DISPLAY=":$(head -n 1 "$workdir/display")"
"$@"
