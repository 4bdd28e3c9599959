#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quillmere
# need, for Linux, for Windows (cross-compiled with mingw-w64 and tested
# under Wine) and for the web (emscripten, tested in headless chromium), and
# enables Debian's source packages, from which
# scripts/build-windows-deps.sh takes freeglut. Does nothing when all of it
# is in place already.
# Usage: install-deps.sh
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    dpkg-dev desktop-file-utils appstream groff-base lintian
    libgtest-dev libgmock-dev libbenchmark-dev
    freeglut3-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
    libx11-dev libxtst-dev
    xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick librsvg2-bin
    openbox i3-wm
    # Windows: the cross-compilers (posix threads, which GoogleTest and
    # std::thread need) and windres, GoogleTest's sources, Wine to run the
    # tests, and what `apt-get source` unpacks freeglut's sources with; the
    # installer's compiler (makensis, which CPack runs) and zip and unzip for
    # the release's zips.
    g++-mingw-w64-x86-64-posix mingw-w64-tools googletest wine wine64
    xz-utils patch nsis zip unzip
    # The web: emscripten (with its clang, binaryen and node) builds the
    # site, headless chromium tests it.
    emscripten chromium
)

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
apt_get() {
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@"
}

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt_get update -q
    apt_get install -y -q --no-install-recommends "${missing[@]}"
fi

# Source packages: a deb-src entry for every deb entry already configured,
# in files of our own beside them, so that the system's files stay as they
# are. Both formats: deb822 (.sources, Debian 12's default) and one-line.
if [ -z "$(apt-cache showsrc --only-source freeglut 2>/dev/null)" ]; then
    echo "Enabling Debian's source packages"
    sources=$(for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && [ "${f##*/}" != quillmere-deb-src.sources ] && cat "$f" && echo
    done | awk 'BEGIN { RS = ""; ORS = "\n\n" }
        # A paragraph with deb among its types and not disabled, as deb-src.
        /(^|\n)Types:[^\n]*[[:space:]]deb([[:space:]]|$)/ && !/(^|\n)Enabled:[[:space:]]*no/ {
            sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src")
            sub(/^\n/, "")
            print
        }')
    lines=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
        sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' || true)
    if [ -z "$sources$lines" ]; then
        echo "install-deps: no deb entries in /etc/apt/sources.list* to add deb-src entries for" >&2
        exit 1
    fi
    [ -z "$sources" ] || printf '%s\n' "$sources" |
        "${sudo[@]}" tee /etc/apt/sources.list.d/quillmere-deb-src.sources >/dev/null
    [ -z "$lines" ] || printf '%s\n' "$lines" |
        "${sudo[@]}" tee /etc/apt/sources.list.d/quillmere-deb-src.list >/dev/null
    apt_get update -q
    if [ -z "$(apt-cache showsrc --only-source freeglut 2>/dev/null)" ]; then
        echo "install-deps: apt still knows no source package freeglut" >&2
        exit 1
    fi
fi
