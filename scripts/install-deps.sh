#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quillmere
# need. Does nothing when they are all present already.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    dpkg-dev desktop-file-utils appstream groff-base lintian
    libgtest-dev libgmock-dev libbenchmark-dev
    freeglut3-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
    libx11-dev libxtst-dev
    xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick librsvg2-bin
    openbox i3-wm
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
