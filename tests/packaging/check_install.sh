#!/usr/bin/env bash
# The program as people get it, both ways: `cmake --install` into a staging
# folder, and the .deb that CPack builds, unpacked. Each must hold exactly the
# expected files, pass the desktop entry and AppStream validators, format its
# man page cleanly, carry the MIT licence in Debian's machine-readable
# copyright file, carry a changelog whose latest entry is this version, and
# answer --version with no display; the package must depend on the package of
# every library the program links and pass lintian with no error, no warning
# and no hardening tag. LICENSE itself must be the MIT licence.
# The same CPack run makes the framework's package, libquillmere-dev, which
# must hold exactly the development component's files (development_files.txt)
# under /usr with its own copyright file and changelog, depend on the package
# of every library and header its CMake package finds, and leave lintian with
# nothing at all to say.
# Usage: check_install.sh CMAKE CPACK BUILD_DIR VERSION SOURCE_DIR LIBDIR
set -euo pipefail

cmake=$1 cpack=$2 build=$3 version=$4 source=$5 libdir=$6
work=$(mktemp -d /tmp/quillmere-install.XXXXXX)
trap 'rm -rf "$work"' EXIT

app=io.github.quillmere.Quillmere
expected="bin/quillmere
share/applications/$app.desktop
share/doc/quillmere/changelog.gz
share/doc/quillmere/copyright
share/icons/hicolor/scalable/apps/$app.svg
share/man/man1/quillmere.1.gz
share/metainfo/$app.metainfo.xml"
holder="2026 The Quillmere developers"

source "$(dirname "$0")/checks.sh"

# LICENSE: the title, the copyright line, then the MIT text word for word
# (its SHA-256, from the permission notice to the end).
licence=$source/LICENSE
licence_text() { sed '1,/^Copyright (c)/d' "$licence" | sed '/./,$!d'; }
if [ ! -f "$licence" ]; then
    fail "no LICENSE in $source"
elif [ "$(head -n 1 "$licence")" != "MIT License" ] ||
    [ "$(sed -n '3p' "$licence")" != "Copyright (c) $holder" ] ||
    [ "$(licence_text | sha256sum)" != "f9c4c77baa3828004ee54b8a4f2db2e88ed44a6237a493965bf551fac0fcb62d  -" ]; then
    fail "LICENSE is not the MIT licence with the copyright line 'Copyright (c) $holder'"
fi

# check_copyright FILE: Debian's machine-readable format, every file under
# MIT by the project's holder, and the licence text as LICENSE has it.
check_copyright() {
    local file=$1 label=$2 wrong
    [ "$(head -n 1 "$file")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
        fail "$label: the copyright file does not start with the machine-readable Format line"
    # Each line a field, a continuation (indented) or a blank between paragraphs.
    wrong=$(grep -nvE '^([A-Za-z][A-Za-z-]*:( |$)| .|$)' "$file" || true)
    [ -z "$wrong" ] || fail "$label: copyright lines that are neither fields nor continuations: $wrong"
    [ "$(awk -v RS= '/^Files: \*\n/' "$file" | grep -E '^(Copyright|License):')" = "Copyright: $holder
License: MIT" ] || fail "$label: the copyright file does not put all files under MIT by $holder"
    # The stand-alone License paragraph, unindented, is LICENSE after its copyright line.
    [ "$(awk -v RS= '/^License: MIT\n/' "$file" | sed '1d; s/^ //; s/^\.$//')" = \
        "$(licence_text)" ] ||
        fail "$label: the copyright file's MIT text differs from LICENSE"
}

# check_tree LABEL PREFIX: what is installed under PREFIX (holding bin/ and share/).
check_tree() {
    local label=$1 prefix=$2 listed out entry=$2/share/applications/$app.desktop
    local doc=$2/share/doc/quillmere
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
    grep -q '<project_license>MIT</project_license>' "$prefix/share/metainfo/$app.metainfo.xml" ||
        fail "$label: the AppStream metadata does not name the MIT licence"
    if ! out=$(zcat "$prefix/share/man/man1/quillmere.1.gz" |
        LC_ALL=C.UTF-8 groff -man -ww -z 2>&1) || [ -n "$out" ]; then
        fail "$label: the man page does not format cleanly: $out"
    fi
    if [ -f "$doc/copyright" ]; then
        check_copyright "$doc/copyright" "$label"
    else
        fail "$label: no copyright file in $doc"
    fi
    out=$(zcat "$doc/changelog.gz" | dpkg-parsechangelog -l - -S Version) || true
    [ "$out" = "$version" ] || fail "$label: the changelog's latest entry is for version '$out'"
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
# Debian's checker: no error or warning, and none of the hardening tags that
# it shows as information (each a protection missing from the program).
if ! lint=$(lintian -I --tag-display-limit 0 --allow-root --fail-on none "$deb" 2>&1); then
    fail "lintian did not run: $lint"
else
    echo "== lintian: ${lint:-no tags}"
    out=$(echo "$lint" | grep -E '^[EW]: |^.: [^ ]+: hardening-' || true)
    [ -z "$out" ] || fail "lintian:
$out"
fi
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

dev=$work/package/libquillmere-dev_${version}_$(dpkg --print-architecture).deb
if [ ! -f "$dev" ]; then
    fail "cpack made no $dev"
else
    echo "== $(basename "$dev"): $(stat -c %s "$dev") bytes"
    dpkg-deb --info "$dev"
    dpkg-deb -x "$dev" "$work/dev"
    listed=$(cd "$work/dev/usr" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
    expected_dev=$(awk '/^#/ { next } NF == 1 { print } NF == 2 && $1 == "linux" { print $2 }' \
        "$(dirname "$0")/development_files.txt" | sed "s|^LIBDIR/|$libdir/|" | LC_ALL=C sort)
    echo "$listed"
    [ "$listed" = "$expected_dev" ] || fail "the -dev package holds other files (< expected, > packaged):
$(diff <(echo "$expected_dev") <(echo "$listed"))"
    doc=$work/dev/usr/share/doc/libquillmere-dev
    [ -f "$doc/copyright" ] && check_copyright "$doc/copyright" "the -dev package"
    out=$(zcat "$doc/changelog.gz" | dpkg-parsechangelog -l - -S Version) || true
    [ "$out" = "$version" ] || fail "the -dev package: the changelog's latest entry is for version '$out'"
    [ "$(dpkg-deb -f "$dev" Package Version Section)" = "Package: libquillmere-dev
Version: $version
Section: libdevel" ] || fail "the -dev package's name, version or section is wrong"
    lint=$(lintian -I --tag-display-limit 0 --allow-root --fail-on none "$dev" 2>&1) ||
        fail "lintian did not run on the -dev package: $lint"
    echo "== lintian: ${lint:-no tags}"
    [ -z "$lint" ] || fail "lintian on the -dev package:
$lint"
    # What the imported targets link and the headers find_package looks for.
    depends=$(dpkg-deb -f "$dev" Depends | tr ',' '\n' | awk '{print $1}')
    multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
    for needed in /usr/lib/"$multiarch"/{libglut,libOpenGL,libGLX,libX11}.so \
        /usr/include/GL/{freeglut,gl}.h /usr/include/X11/Xlib.h; do
        owner=$(dpkg -S "$needed" 2>/dev/null | sed -n '1s/:.*//p')
        if [ -z "$owner" ] || ! echo "$depends" | grep -qxF "$owner"; then
            fail "the -dev package needs $needed but depends on no package holding it"
        fi
    done
fi

finish install "Installed and packaged files are complete and valid."
