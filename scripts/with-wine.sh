#!/usr/bin/env bash
# Runs a Windows program under Wine, with its arguments, and ends with its
# exit status: the emulator through which CTest runs the Windows build's
# tests (CMAKE_CROSSCOMPILING_EMULATOR in cmake/toolchain-mingw-w64.cmake).
#
# The program runs in a Wine prefix of its build folder's own (the nearest
# folder above it with a CMakeCache.txt), wine-prefix/, made on the first run
# under a lock, since `ctest -j` starts several programs at once, and made
# again when Wine's version changes (Wine would otherwise update it on the
# next start and say so on stderr). Wine's own messages are off
# (WINEDEBUG=-all), so the output is the program's alone; Windows programs
# end their lines with \r\n.
#
# Console programs need no display: without DISPLAY, Wine makes no windows.
# With DISPLAY set (such as by with-xvfb.sh), Wine's windows open on it.
# Wine's background processes end by themselves a few seconds after the last
# program of the prefix.
#
# Usage: with-wine.sh PROGRAM.exe [ARGS...]
#        QM_WINE_PREFIX=DIR uses the Wine prefix DIR instead.
set -euo pipefail

program=${1:?usage: with-wine.sh PROGRAM.exe [ARGS...]}
shift

fail() {
    echo "with-wine: $*" >&2
    exit 125
}

if [ -n "${QM_WINE_PREFIX:-}" ]; then
    prefix=$QM_WINE_PREFIX
else
    build=$(dirname "$(realpath -m "$program")")
    while [ ! -f "$build/CMakeCache.txt" ]; do
        [ "$build" != / ] || fail "no build folder (with a CMakeCache.txt) above $program; set QM_WINE_PREFIX"
        build=$(dirname "$build")
    done
    prefix=$build/wine-prefix
fi
prefix=$(realpath -m "$prefix")

export WINEPREFIX=$prefix WINEDEBUG=-all
# No Mono nor Gecko: without them Wine does not offer to download them.
export WINEDLLOVERRIDES=mscoree,mshtml=

wine_version=$(wine --version)
ready=$prefix/.quillmere-wine-version
if [ "$(cat "$ready" 2>/dev/null)" != "$wine_version" ]; then
    mkdir -p "$(dirname "$prefix")"
    exec 9>"$prefix.lock"
    flock 9
    if [ "$(cat "$ready" 2>/dev/null)" != "$wine_version" ]; then
        rm -rf "$prefix"
        log=$prefix.log
        # Wine's processes get no lock descriptor: the server outlives
        # wineboot and would hold the lock. wineserver -w waits for the
        # server to end, with the registry written out.
        if ! { wineboot -i && wineserver -w; } >"$log" 2>&1 9>&-; then
            cat "$log" >&2
            fail "wineboot could not make the Wine prefix $prefix"
        fi
        echo "$wine_version" >"$ready"
    fi
    exec 9>&-
fi

exec wine "$program" "$@"
