#!/usr/bin/env bash
# The framework as the developer of another program gets it. `cmake --install
# --component development` into an empty prefix must give exactly the files
# in development_files.txt, none naming a path of the build or source tree;
# each installed header must compile alone, through the pkg-config file,
# without a warning under -Wall -Wextra -Wpedantic. The example in
# examples/menu_demo must then build against the prefix alone, warning-free,
# with its own CMakeLists.txt (and with pkg-config as well), and pass the
# driver, which uses it on the display. Prints the example's size and how
# long its build took.
#
# On Linux the example must carry the host's XMapWindow for freeglut to call.
# With --windows, BUILD_DIR is the Windows build and CXX mingw-w64's g++: the
# prefix then carries freeglut too, the example is built with the compiler
# and the prefix alone and linked static, so that it imports only Windows'
# own DLLs, and it runs under Wine in WINE_PREFIX, on the driver's display.
# Usage: check_framework_package.sh [--windows WINE_PREFIX] CMAKE BUILD_DIR SOURCE_DIR LIBDIR CXX DRIVER
set -euo pipefail

platform=linux wine_prefix=
if [ "${1:-}" = --windows ]; then
    platform=windows wine_prefix=$(realpath -m "$2")
    shift 2
fi
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
expected=$(awk -v p=$platform '/^#/ { next } NF == 1 { print } NF == 2 && $1 == p { print $2 }' \
    "$here/development_files.txt" | sed "s|^LIBDIR/|$libdir/|" | LC_ALL=C sort)
echo "== installed under $prefix:"
echo "$listed"
[ "$listed" = "$expected" ] || fail "the development component installs other files (< expected, > installed):
$(diff <(echo "$expected") <(echo "$listed"))"
leaks=$(grep -rlF -e "$build" -e "$source" "$prefix" || true)
[ -z "$leaks" ] || fail "installed files name the build or source tree: $leaks"

export PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig
strict=(-std=c++20 -Wall -Wextra -Wpedantic -Werror)
# Windows: nothing of the build machine's; programs linked static.
cross=() exe=
if [ $platform = windows ]; then
    export PKG_CONFIG_LIBDIR=$PKG_CONFIG_PATH
    cross=(-DCMAKE_SYSTEM_NAME=Windows -DCMAKE_EXE_LINKER_FLAGS=-static)
    exe=.exe
fi
read -r -a cflags <<<"$(pkg-config --cflags quillmere-glut)"
for header in "$prefix"/include/quillmere/*.h; do
    name=quillmere/$(basename "$header")
    out=$(echo "#include <$name>" | "$cxx" "${strict[@]}" "${cflags[@]}" -fsyntax-only -x c++ - 2>&1) ||
        fail "<$name> does not compile alone: $out"
done

# A fresh build folder and the prefix as the only place to look.
"$cmake" -S "$example" -B "$work/demo" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_CXX_FLAGS="${strict[*]}" -DCMAKE_PREFIX_PATH="$prefix" "${cross[@]}" >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log"; exit 1; }
found=$(sed -n 's/^QuillmereFramework_DIR:[A-Z]*=//p' "$work/demo/CMakeCache.txt")
[ "$found" = "$prefix/$libdir/cmake/QuillmereFramework" ] ||
    fail "the example found the package in '$found', not in the prefix"
TIMEFORMAT='%R s (%U s user, %S s system)'
{ time "$cmake" --build "$work/demo" >"$work/build.log" 2>&1; } 2>"$work/time" ||
    { cat "$work/build.log"; exit 1; }
demo=$work/demo/menu_demo$exe
echo "== the example, $(cat "$example"/*.h "$example"/*.cpp | wc -l) lines of C++ and" \
    "$(wc -l <"$example/CMakeLists.txt") of CMake, built against the package in $(cat "$work/time")"
read -r -a libs <<<"$(pkg-config --libs quillmere-glut)"
"$cxx" "${strict[@]}" "${cflags[@]}" "$example"/*.cpp "${libs[@]}" ${exe:+-static} -o "$work/menu_demo_pc$exe" 2>&1 ||
    fail "the example does not build with pkg-config's flags"

if [ $platform = linux ]; then
    nm -D --defined-only "$demo" | grep -qw XMapWindow ||
        fail "the example does not export XMapWindow: freeglut maps its window past the host"
    MENU_DEMO=$demo "$driver" || fail "the example, used on the display"
else
    imports=$(x86_64-w64-mingw32-objdump -p "$demo" | sed -n 's/^\s*DLL Name: //p' | LC_ALL=C sort -f | tr '\n' ' ')
    echo "== the example imports $imports"
    ! grep -qiE 'lib(stdc|gcc|winpthread)|glut' <<<"$imports" ||
        fail "the example needs DLLs that Windows does not have: $imports"
    launcher=$work/menu_demo-under-wine
    printf '#!/usr/bin/env bash\nQM_WINE_PREFIX=%q exec bash %q %q "$@"\n' \
        "$wine_prefix" "$source/tests/tools/with-wine.sh" "$demo" >"$launcher"
    chmod +x "$launcher"
    # Wine's windows carry Wine's class and process, not the host's.
    MENU_DEMO=$launcher "$driver" --gtest_filter=-*TheWindowCarriesTheClass* ||
        fail "the example under Wine, used on the display"
fi

[ "$failures" -eq 0 ] || { echo "$failures framework package checks failed" >&2; exit 1; }
echo "The installed framework is complete, and the example builds and runs on it."
