#!/usr/bin/env bash
# The same sources make the same Windows release: the sources of
# WINDOWS_BUILD_DIR are configured and built again in a folder of another
# name (without the tests, which leave the program and the packages as they
# are), CPack makes the packages there, and quillmere.exe, the installer and
# the zips must be those of WINDOWS_BUILD_DIR byte for byte. Takes about a
# minute on two cores.
# Usage: check_windows_reproducible.sh CMAKE CPACK WINDOWS_BUILD_DIR VERSION SOURCE_DIR
set -euo pipefail

cmake=$1 cpack=$2 build=$3 version=$4 source=$5
source "$(dirname "$0")/checks.sh"
work=$(mktemp -d /tmp/quillmere-rebuild.XXXXXX)
trap 'rm -rf "$work"' EXIT

start=$(date +%s)
if ! { "$cmake" -S "$source" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$source/cmake/toolchain-mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DQUILLMERE_BUILD_BENCH=OFF -DQUILLMERE_BUILD_TESTS=OFF &&
    "$cmake" --build "$work/build" -j "$(nproc)" &&
    (cd "$work/build" && "$cpack" -G 'NSIS;ZIP'); } >"$work/build.log" 2>&1; then
    cat "$work/build.log"
    echo "FAILED: the second build or its packages" >&2
    exit 1
fi
echo "built and packaged again in $(($(date +%s) - start)) s"

compared=0
for file in program/quillmere.exe Quillmere-"$version"-win64.exe Quillmere-"$version"-win64.zip \
    Quillmere-SDK-"$version"-win64.zip; do
    if [ ! -e "$build/$file" ] && [ ! -e "$work/build/$file" ]; then
        continue
    fi
    if cmp "$build/$file" "$work/build/$file"; then
        echo "$file: the same $(stat -c %s "$build/$file") bytes"
        compared=$((compared + 1))
    else
        fail "$file differs between $build and the second build"
    fi
done
# The program, the installer and the portable zip at the least.
[ "$compared" -ge 3 ] || fail "only $compared of the release's files were made twice"

finish "reproducibility" "The second build made the same program and packages."
