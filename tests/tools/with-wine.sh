#!/usr/bin/env bash
# Runs a Windows program under Wine, with its arguments, and ends with its
# exit status: the emulator through which CTest runs the Windows build's
# tests (CMAKE_CROSSCOMPILING_EMULATOR in cmake/toolchain-mingw-w64.cmake).
#
# The program runs in a Wine prefix of its build folder's own (the nearest
# folder above it with a CMakeCache.txt): wine-prefix/, or wine-prefix-x11/
# when DISPLAY is set (with -dpiN after it for QM_WINE_DPI). Each is made on its first run, under a lock since
# `ctest -j` starts several programs at once, and made again when Wine's
# version changes (Wine would otherwise update it on the next start and say
# so on stderr). Wine's own messages are off (WINEDEBUG=-all), so the output
# is the program's alone; Windows programs end their lines with \r\n.
#
# Console programs need no display. With DISPLAY set (such as by
# with-xvfb.sh) Wine's windows open on it; that needs a session (Wine's
# server and its background processes, shared by the prefix's programs)
# started with a display: one started without a display can make no
# windows. Hence the two prefixes.
#
# The first program of a session starts Wine's background processes, and
# they inherit its stderr: they would hold a test's output open, so that
# CTest waits for them, and write into it. So the session is started here,
# with their output in wine-prefix.log, before the program runs. It ends by
# itself 5 s after the prefix's last program (wineserver -p5), and its
# background processes with it.
#
# Usage: with-wine.sh PROGRAM.exe [ARGS...]
#        QM_WINE_PREFIX=DIR uses the Wine prefix DIR instead.
#        QM_WINE_DPI=N uses a prefix of its own (wine-prefix-dpiN) whose
#        screen has N dots per inch (LogPixels), as a Windows desktop set to
#        N / 96 of the ordinary scale.
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
    prefix=$build/wine-prefix${DISPLAY:+-x11}${QM_WINE_DPI:+-dpi$QM_WINE_DPI}
fi
prefix=$(realpath -m "$prefix")
log=$prefix.log

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
        # Wine's processes get no lock descriptor: the server outlives
        # wineboot and would hold the lock. wineserver -w waits for the
        # server to end, with the registry written out.
        dpi=()
        [ -z "${QM_WINE_DPI:-}" ] ||
            dpi=(wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$QM_WINE_DPI" /f)
        if ! { wineboot -i && "${dpi[@]:-true}" && wineserver -w; } </dev/null >"$log" 2>&1 9>&-; then
            cat "$log" >&2
            fail "wineboot could not make the Wine prefix $prefix"
        fi
        echo "$wine_version" >"$ready"
    fi
    exec 9>&-
fi

# A server that runs already stays as it is (this one then says so, in the
# log); `cmd /c exit` starts the session's background processes if they are
# not running, or does nothing.
{ wineserver -p5 || true; } </dev/null >>"$log" 2>&1
wine cmd /c exit </dev/null >>"$log" 2>&1 ||
    fail "Wine could not start in $prefix (see $log)"

exec wine "$program" "$@"
