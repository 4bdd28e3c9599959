#!/usr/bin/env bash
# The framework as the developer of another program gets it. `cmake --install
# --component development` into an empty prefix must give exactly the files
# in development_files.txt, none naming a path of the build or source tree;
# each installed header must compile alone, through the pkg-config file,
# without a warning under -Wall -Wextra -Wpedantic. The example in
# examples/menu_demo must then build against the prefix alone, warning-free,
# with its own CMakeLists.txt (and with pkg-config as well), carry the host's
# XMapWindow for freeglut to call, and pass the driver, which uses it on the
# display. Prints the example's size and how long its build took.
# Usage: check_framework_package.sh CMAKE BUILD_DIR SOURCE_DIR LIBDIR CXX DRIVER
set -euo pipefail

cmake=$1 build=$(realpath "$2") source=$(realpath "$3") libdir=$4 cxx=$5 driver=$6
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d /tmp/quillmere-framework.XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix example=$source/examples/menu_demo

failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

"$cmake" --install "$build" --component development --prefix "$prefix" >"$work/install.log" ||
    { cat "$work/install.log"; exit 1; }
listed=$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
expected=$(sed "s|^LIBDIR/|$libdir/|" "$here/development_files.txt" | LC_ALL=C sort)
echo "== installed under $prefix:"
echo "$listed"
[ "$listed" = "$expected" ] || fail "the development component installs other files (< expected, > installed):
$(diff <(echo "$expected") <(echo "$listed"))"
leaks=$(grep -rlF -e "$build" -e "$source" "$prefix" || true)
[ -z "$leaks" ] || fail "installed files name the build or source tree: $leaks"

export PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig
strict=(-std=c++20 -Wall -Wextra -Wpedantic -Werror)
read -r -a cflags <<<"$(pkg-config --cflags quillmere-glut)"
for header in "$prefix"/include/quillmere/*.h; do
    name=quillmere/$(basename "$header")
    out=$(echo "#include <$name>" | "$cxx" "${strict[@]}" "${cflags[@]}" -fsyntax-only -x c++ - 2>&1) ||
        fail "<$name> does not compile alone: $out"
done

# A fresh build folder and the prefix as the only place to look.
"$cmake" -S "$example" -B "$work/demo" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_CXX_FLAGS="${strict[*]}" -DCMAKE_PREFIX_PATH="$prefix" >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log"; exit 1; }
found=$(sed -n 's/^QuillmereFramework_DIR:[A-Z]*=//p' "$work/demo/CMakeCache.txt")
[ "$found" = "$prefix/$libdir/cmake/QuillmereFramework" ] ||
    fail "the example found the package in '$found', not in the prefix"
TIMEFORMAT='%R s (%U s user, %S s system)'
{ time "$cmake" --build "$work/demo" >"$work/build.log" 2>&1; } 2>"$work/time" ||
    { cat "$work/build.log"; exit 1; }
demo=$work/demo/menu_demo
echo "== the example, $(cat "$example"/*.h "$example"/*.cpp | wc -l) lines of C++ and" \
    "$(wc -l <"$example/CMakeLists.txt") of CMake, built against the package in $(cat "$work/time")"
read -r -a libs <<<"$(pkg-config --libs quillmere-glut)"
"$cxx" "${strict[@]}" "${cflags[@]}" "$example"/*.cpp "${libs[@]}" -o "$work/menu_demo_pc" 2>&1 ||
    fail "the example does not build with pkg-config's flags"
nm -D --defined-only "$demo" | grep -qw XMapWindow ||
    fail "the example does not export XMapWindow: freeglut maps its window past the host"

MENU_DEMO=$demo "$driver" || fail "the example, used on the display"

[ "$failures" -eq 0 ] || { echo "$failures framework package checks failed" >&2; exit 1; }
echo "The installed framework is complete, and the example builds and runs on it."
