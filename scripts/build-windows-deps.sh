#!/usr/bin/env bash
# Builds the libraries that the Windows build links, as static libraries for
# 64-bit Windows with the mingw-w64 toolchain (cmake/toolchain-mingw-w64.cmake),
# and installs them into PREFIX: freeglut from Debian's source package
# (`apt-get source freeglut`, which must be version FREEGLUT_VERSION), and
# GoogleTest from /usr/src/googletest (package googletest). PREFIX then holds
# quillmere-deps.txt, naming what was built, and freeglut's licence, which
# the framework's Windows package carries beside freeglut; when it does
# already, nothing is done (a PREFIX of an older layout, without the licence,
# is built again). The Windows configure (cmake/windows_deps.cmake) runs this when that
# file is missing, with the prefix the toolchain file chose.
#
# The libraries are built in a temporary folder and installed beside PREFIX,
# then moved into place, so an interrupted run leaves no half-filled PREFIX;
# two runs at once build them once (the second waits for the first).
#
# Usage: build-windows-deps.sh PREFIX FREEGLUT_VERSION
#        (jobs: CMAKE_BUILD_PARALLEL_LEVEL, default the number of cores)
set -euo pipefail

prefix=$(realpath -m "${1:?usage: build-windows-deps.sh PREFIX FREEGLUT_VERSION}")
freeglut_expected=${2:?usage: build-windows-deps.sh PREFIX FREEGLUT_VERSION}
here=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$here/cmake/toolchain-mingw-w64.cmake
googletest_source=/usr/src/googletest
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
stamp=quillmere-deps.txt

say() {
    echo "build-windows-deps: $*"
}
fail() {
    echo "build-windows-deps: $*" >&2
    exit 1
}

for tool in x86_64-w64-mingw32-g++-posix cmake ninja apt-get dpkg-source dpkg-parsechangelog; do
    command -v "$tool" >/dev/null ||
        fail "$tool is missing: run scripts/install-deps.sh"
done
[ -f "$googletest_source/CMakeLists.txt" ] ||
    fail "no GoogleTest sources in $googletest_source: run scripts/install-deps.sh"

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
licence=share/doc/freeglut/COPYING
if [ -f "$prefix/$stamp" ] && [ -f "$prefix/$licence" ]; then
    say "already built in $prefix"
    exit 0
fi
if [ -f "$prefix/$stamp" ]; then
    say "$prefix has no $licence: building it again"
    rm -rf "$prefix"
fi
# Never replace a folder that this script did not fill.
if [ -e "$prefix" ]; then
    rmdir "$prefix" 2>/dev/null ||
        fail "$prefix exists but holds no $stamp: remove it, or choose another folder"
fi

work=$(mktemp -d)
stage=$(mktemp -d "$prefix.partial.XXXXXX")
trap 'rm -rf "$work" "$stage"' EXIT

# run LOG COMMAND...: runs the command with its output in LOG, which is
# shown when the command fails.
run() {
    local log=$1
    shift
    if ! "$@" >"$log" 2>&1; then
        tail -n 60 "$log" >&2
        fail "failed: $*"
    fi
}

# cross_build NAME SOURCE [CMAKE OPTIONS...]: configures, builds and installs
# one library into the staging folder, which stands for PREFIX.
cross_build() {
    local name=$1 source=$2
    shift 2
    local start=$SECONDS
    # The children get no lock descriptor: a server process that one of
    # them left running would hold the lock.
    run "$work/$name-configure.log" cmake -S "$source" -B "$work/$name-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" "$@" 9>&-
    run "$work/$name-build.log" cmake --build "$work/$name-build" -j "$jobs" 9>&-
    run "$work/$name-install.log" env DESTDIR="$stage" cmake --install "$work/$name-build" 9>&-
    say "built $name in $((SECONDS - start)) s"
}

[ -n "$(apt-cache showsrc --only-source freeglut 2>/dev/null)" ] ||
    fail "apt knows no source package freeglut: run scripts/install-deps.sh, which enables deb-src entries"
say "downloading Debian's freeglut sources"
(cd "$work" && run "$work/source.log" apt-get source --only-source freeglut 9>&-)
freeglut_source=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'freeglut-*' | head -n 1)
[ -n "$freeglut_source" ] || fail "apt-get source freeglut unpacked no freeglut-* folder"
freeglut_debian=$(dpkg-parsechangelog -l "$freeglut_source/debian/changelog" -S Version)
# The upstream version: without an epoch and without Debian's revision.
freeglut_upstream=${freeglut_debian#*:}
freeglut_upstream=${freeglut_upstream%-*}
[ "$freeglut_upstream" = "$freeglut_expected" ] ||
    fail "Debian's freeglut source package is version $freeglut_debian, but the Windows build" \
        "expects freeglut $freeglut_expected (QUILLMERE_WINDOWS_FREEGLUT_VERSION in" \
        "cmake/toolchain-mingw-w64.cmake); check that it builds and works, then change that"
googletest_version=$(sed -n 's/^set(GOOGLETEST_VERSION \([0-9.]*\))$/\1/p' \
    "$googletest_source/CMakeLists.txt")

say "building freeglut $freeglut_debian and GoogleTest $googletest_version for Windows into $prefix"
cross_build freeglut "$freeglut_source" \
    -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON
install -D -m 644 "$freeglut_source/COPYING" "$stage$prefix/$licence"
cross_build googletest "$googletest_source"

cat >"$stage$prefix/$stamp" <<EOF
freeglut $freeglut_debian (Debian source package)
googletest $googletest_version ($googletest_source)
compiler $(x86_64-w64-mingw32-g++-posix --version | head -n 1)
EOF
mv "$stage$prefix" "$prefix"
say "done"
