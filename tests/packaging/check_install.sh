#!/usr/bin/env bash
# The program as people get it, both ways: `cmake --install` into a staging
# folder, and the .deb that CPack builds, unpacked. Each must hold exactly the
# expected files, pass the desktop entry and AppStream validators, format its
# man page cleanly and answer --version with no display; the package must
# depend on the package of every library the program links.
# Usage: check_install.sh CMAKE CPACK BUILD_DIR VERSION
set -euo pipefail

cmake=$1 cpack=$2 build=$3 version=$4
work=$(mktemp -d /tmp/quillmere-install.XXXXXX)
trap 'rm -rf "$work"' EXIT

app=io.github.quillmere.Quillmere
expected="bin/quillmere
share/applications/$app.desktop
share/icons/hicolor/scalable/apps/$app.svg
share/man/man1/quillmere.1
share/metainfo/$app.metainfo.xml"

failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

# check_tree LABEL PREFIX: what is installed under PREFIX (holding bin/ and share/).
check_tree() {
    local label=$1 prefix=$2 listed out entry=$2/share/applications/$app.desktop
    echo "== $label: $prefix"
    listed=$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
    [ "$listed" = "$expected" ] || fail "$label installs other files (< expected, > installed):
$(diff <(echo "$expected") <(echo "$listed"))"
    # Hints and warnings count too, though the validator exits 0 for them.
    if ! out=$(desktop-file-validate "$entry" 2>&1) || [ -n "$out" ]; then
        fail "$label: desktop-file-validate: $out"
    fi
    out=$prefix/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    [[ -f $out && -x $out ]] ||
        fail "$label: the desktop entry's Exec names no installed program"
    [ -f "$prefix/share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$entry").svg" ] ||
        fail "$label: the desktop entry's Icon names no installed icon"
    # The metadata, and that the desktop entry it launches is installed.
    appstreamcli validate-tree --no-net "$prefix" || fail "$label: appstreamcli validate-tree"
    if ! out=$(LC_ALL=C.UTF-8 groff -man -ww -z "$prefix/share/man/man1/quillmere.1" 2>&1) ||
        [ -n "$out" ]; then
        fail "$label: the man page does not format cleanly: $out"
    fi
    out=$(env -u DISPLAY "$prefix/bin/quillmere" --version 2>&1) || true
    [ "$out" = "quillmere $version" ] || fail "$label: --version printed '$out'"
}

"$cmake" --install "$build" --prefix "$work/stage" >"$work/install.log" ||
    { cat "$work/install.log"; exit 1; }
check_tree "cmake --install" "$work/stage"

deb=$work/package/quillmere_${version}_$(dpkg --print-architecture).deb
if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" ||
    [ ! -f "$deb" ]; then
    cat "$work/cpack.log"
    echo "FAILED: cpack made no $deb" >&2
    exit 1
fi
echo "== $(basename "$deb"): $(stat -c %s "$deb") bytes"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
dpkg-deb -x "$deb" "$work/unpacked"
check_tree "the package" "$work/unpacked/usr"
[ "$(dpkg-deb -f "$deb" Package Version Section)" = "Package: quillmere
Version: $version
Section: graphics" ] || fail "the package's name, version or section is wrong"

# Each library the program links, by the package that dpkg says holds it;
# Debian 12 records some libraries under /lib and others under /usr/lib.
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | awk '{print $1}')
binary=$work/unpacked/usr/bin/quillmere
libraries=$(ldd "$binary")
for soname in $(objdump -p "$binary" | awk '$1 == "NEEDED" {print $2}'); do
    path=$(echo "$libraries" | awk -v name="$soname" '$1 == name && $3 ~ /^\// {print $3}')
    owner=
    if [ -n "$path" ]; then
        owner=$({ dpkg -S "$path" || dpkg -S "/usr$path" || true; } 2>/dev/null | sed -n '1s/:.*//p')
    fi
    if [ -z "$owner" ] || ! echo "$depends" | grep -qxF "$owner"; then
        fail "the package links $soname ($path) but depends on no package holding it"
    fi
done

[ "$failures" -eq 0 ] || { echo "$failures install checks failed" >&2; exit 1; }
echo "Installed and packaged files are complete and valid."
