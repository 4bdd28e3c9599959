#!/usr/bin/env bash
# Installs what is missing, builds Quillmere and runs the whole test suite,
# then builds everything again with AddressSanitizer and UBSan and runs the
# whole suite once more, GL tests and the soak of the program included. The
# tests that need a display start their own Xvfb server.
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
