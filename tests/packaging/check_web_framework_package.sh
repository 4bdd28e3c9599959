#!/usr/bin/env bash
# The framework as the developer of a web program gets it. `cmake --install
# --component development` of the web build into an empty prefix must give
# exactly the web's files in development_files.txt, none naming a path of
# the build or source tree. The example in examples/menu_demo must then
# build against the prefix alone with emscripten's toolchain, warning-free,
# with its own CMakeLists.txt, and its page pass the example's test in
# headless chromium.
# Usage: check_web_framework_package.sh BUILD_DIR SOURCE_DIR LIBDIR
set -euo pipefail
build=$(realpath "$1") source=$(realpath "$2") libdir=$3
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d /tmp/quillmere-web-framework.XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --component development --prefix "$prefix" >"$work/install.log" ||
    { cat "$work/install.log"; exit 1; }
listed=$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
expected=$(awk '/^#/ { next } NF == 1 { print } NF == 2 && $1 == "web" { print $2 }' \
    "$here/development_files.txt" | sed "s|^LIBDIR/|$libdir/|" | LC_ALL=C sort)
if [ "$listed" != "$expected" ]; then
    echo "FAILED: the development component installs other files (< expected, > installed):" >&2
    diff <(echo "$expected") <(echo "$listed") >&2 || true
    exit 1
fi
leaks=$(grep -rlF -e "$build" -e "$source" "$prefix" || true)
[ -z "$leaks" ] || { echo "FAILED: installed files name the build or source tree: $leaks" >&2; exit 1; }

export NODE_PATH=/usr/share/nodejs
# Cross-compiling, CMake looks for packages under the toolchain's roots only.
emcmake cmake -S "$source/examples/menu_demo" -B "$work/demo" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror" >"$work/configure.log" ||
    { cat "$work/configure.log"; exit 1; }
cmake --build "$work/demo" >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
echo "the example built against $prefix: $(cd "$work/demo" && ls index.html menu_demo.js menu_demo.wasm | xargs)"
QUILLMERE_SITE=$work/demo QUILLMERE_EXAMPLE_PAGE=/ \
    node --experimental-websocket --test "$source/tests/web/example.test.mjs"
