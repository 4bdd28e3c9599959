#!/usr/bin/env bash
# Installs what is missing, builds Quillmere and runs the whole test suite.
# The tests that need a display start their own Xvfb server.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"
