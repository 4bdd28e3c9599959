#!/usr/bin/env bash
# Installs what is missing, builds Quillmere and runs the whole test suite,
# then builds everything again with AddressSanitizer and UBSan and runs the
# whole suite once more, GL tests and the soak of the program included. The
# tests that need a display start their own Xvfb server. Last, the Windows
# build: cross-compiled with mingw-w64 (its libraries built once into a cache
# outside the build folder), its tests run under Wine, its release packaged
# (the installer and the zips), and the Windows program and its packages
# used under Wine on Xvfb. Then the web: the site built with emscripten,
# its release zip made, and the page tested in headless chromium (its start
# picture against the Linux program's, a phone by touch, offline).
# Usage: test.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

cmake --preset windows
cmake --build --preset windows -j "$jobs"
ctest --preset windows -j "$jobs"
cpack --preset windows

# The Windows program under Wine on Xvfb, driven through XTest by tests of
# the Linux build, which knows where the program is from here on; its
# installer, uninstaller and zips; and the release built a second time.
cmake --preset default -DQUILLMERE_WINDOWS_PROGRAM="$PWD/build-windows/program/quillmere.exe"
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs" -L wine

# The web page, tested in headless chromium against the Linux build's program.
cmake --preset web -DQUILLMERE_LINUX_PROGRAM="$PWD/build/program/quillmere"
cmake --build --preset web -j "$jobs"
cpack --preset web
ctest --preset web -j "$jobs"
