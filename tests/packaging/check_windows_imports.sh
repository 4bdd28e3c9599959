#!/usr/bin/env bash
# Checks that a Windows program loads on the oldest Windows it is said to
# run on (README.md: 64-bit Windows Vista): that it imports no function, nor
# DLL, that came later. Windows refuses to start a program whose imports it
# lacks, with a loader error and no word from the program, so calls of later
# Windows are looked up at run time instead (glut/platform/win32/dpi_win32.cpp).
#
# What came later is named by families: the per-monitor DPI calls (Windows
# 8.1 and 10: every name with "Dpi" in it, where Vista's own is
# SetProcessDPIAware), touch, pointer and gesture input (7 and 8), and the
# newer calls of kernel32 that a toolchain could pick; and DLLs that Vista
# has not (shcore, the api-ms-win sets, the universal C runtime).
#
# Usage: check_windows_imports.sh PROGRAM.exe
set -euo pipefail

program=${1:?usage: check_windows_imports.sh PROGRAM.exe}

fail() {
    echo "check_windows_imports: $*" >&2
    exit 1
}

dump=$(x86_64-w64-mingw32-objdump -p "$program") || fail "objdump could not read $program"
dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$dump")
[ -n "$dlls" ] || fail "$program imports no DLL: not a program objdump can read?"
# The import table lists, under each DLL, lines of "address hint name".
functions=$(awk '/DLL Name:/ {dll = $3; next} dll && NF == 3 && $1 ~ /^[0-9a-f]+$/ {print dll ":" $3}' <<<"$dump")
[ -n "$functions" ] || fail "no imported function read from $program"

later_dlls=$(grep -iE '^(shcore|api-ms-win-|ucrtbase|vcruntime)' <<<"$dlls" || true)
later_functions=$(grep -E ':(.*Dpi.*|RegisterTouchWindow|GetTouchInputInfo|.*Gesture.*|.*Pointer(Info|Type|Device).*|GetSystemTimePreciseAsFileTime|CreateFile2|.*Ex2)$' <<<"$functions" || true)

if [ -n "$later_dlls$later_functions" ]; then
    fail "$program imports what 64-bit Windows Vista does not have:" $later_dlls $later_functions
fi
echo "check_windows_imports: $(wc -l <<<"$functions") functions from $(wc -l <<<"$dlls") DLLs, all on Windows Vista"
