#!/usr/bin/env bash
# The Windows release as a Windows user meets it, under Wine on the display
# that with-xvfb.sh gives, in a Wine prefix made fresh for the run:
# - The installer, run silently (/S): exactly its files in Program Files and
#   the Start-menu shortcut, and nothing else, added to the prefix; the
#   program and its files as the build made them; the shortcut naming the
#   installed program; the uninstall key with exactly its values. The program
#   started from the shortcut's path opens its window and ends with status 0
#   when the window is closed.
# - Installed again over itself, then over an older version (made here from
#   the same build, with a file of its own): each time the one install of
#   the first, and the older version's file gone.
# - Its uninstaller, as Apps & features runs it (QuietUninstallString): after
#   it and a restart, the prefix's files and the machine's and the user's
#   software keys are as they were before the first install.
# - The portable zip: exactly its files, in one folder; unpacked, the program
#   opens its window, ends with 0 when closed and writes nothing.
# - The SDK zip: exactly what `cmake --install --component development`
#   installs from the same build, in one folder.
# Usage: check_windows_packages.sh CMAKE CPACK WINDOWS_BUILD_DIR VERSION SOURCE_DIR CLOSE_WINDOW
set -euo pipefail

cmake=$1 cpack=$2 build=$3 version=$4 source=$5 close_window=$6
source "$(dirname "$0")/checks.sh"
[ -n "${DISPLAY:-}" ] || {
    echo "check_windows_packages.sh needs a display: run it under with-xvfb.sh" >&2
    exit 1
}

name=Quillmere-$version-win64
installer=$build/$name.exe zip=$build/$name.zip sdk=$build/Quillmere-SDK-$version-win64.zip
for package in "$installer" "$zip" "$sdk"; do
    [ -f "$package" ] || {
        echo "FAILED: no $package (cpack --preset windows makes it)" >&2
        exit 1
    }
    echo "== $(basename "$package"): $(stat -c %s "$package") bytes"
done

work=$(mktemp -d /tmp/quillmere-windows.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
# No Mono nor Gecko, and no menu entries on this machine for the prefix's
# Start menu, which winemenubuilder would write into ~/.local.
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

drive=$WINEPREFIX/drive_c
folder='C:\Program Files\Quillmere'
program="$folder\\quillmere.exe"
shortcut="ProgramData/Microsoft/Windows/Start Menu/Programs/Quillmere.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmere'
installed="Program Files/Quillmere
Program Files/Quillmere/LICENSE
Program Files/Quillmere/README.txt
Program Files/Quillmere/Uninstall.exe
Program Files/Quillmere/quillmere.exe
$shortcut"

# The prefix's files and folders, as paths under drive_c.
files() { (cd "$drive" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort); }
# The machine's and the user's software keys, as reg export writes them.
registry() {
    local root
    for root in 'HKLM\Software' 'HKCU\Software'; do
        wine reg export "$root" "$work/export.reg" /y >/dev/null
        iconv -f UTF-16 -t UTF-8 "$work/export.reg" | tr -d '\r'
    done
}
# values KEY: its values, "name|type|data" a line, and its subkeys; nothing
# when the key does not exist.
values() {
    { wine reg query "$1" 2>/dev/null || true; } | tr -d '\r' | grep -v '^$' |
        sed '1d; s/^    //; s/    /|/g'
}
# added BEFORE AFTER: the lines of file AFTER that BEFORE lacks, and removed
# the other way round.
added() { LC_ALL=C comm -13 "$1" "$2"; }
removed() { LC_ALL=C comm -23 "$1" "$2"; }
# seconds SINCE: the time since SINCE (from date +%s.%N), to a tenth.
seconds() { awk -v since="$1" -v now="$(date +%s.%N)" 'BEGIN { printf "%.1f", now - since }'; }

# run_program LABEL EXE: starts EXE with --no-banner, waits for its window
# "Quillmere", asks it to close as a window manager's close button does, and
# expects the program to end with status 0.
run_program() {
    local label=$1 exe=$2 pid window= status=0
    wine "$exe" --no-banner >"$work/program.log" 2>&1 &
    pid=$!
    for _ in $(seq 1 300); do
        window=$(xdotool search --onlyvisible --name '^Quillmere$' 2>/dev/null | head -n 1) || true
        [ -z "$window" ] && kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        fail "$label: no window titled Quillmere appeared: $(cat "$work/program.log")"
        wineserver -k || true
        wait "$pid" || true
        return
    fi
    "$close_window" "$window"
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "$label: ended with status $status: $(cat "$work/program.log")"
}

# check_install LABEL VERSION: the prefix holds one install of VERSION.
check_install() {
    local label=$1 version=$2 size expected
    files >"$work/files.now"
    [ "$(added "$work/files.before" "$work/files.now")" = "$installed" ] &&
        [ -z "$(removed "$work/files.before" "$work/files.now")" ] ||
        fail "$label: the prefix changed otherwise (< expected, > found):
$(diff <(echo "$installed") <(added "$work/files.before" "$work/files.now"))
$(removed "$work/files.before" "$work/files.now" | sed 's/^/removed: /')"
    # Apps & features shows the size in KiB.
    size=$(cat "$drive/Program Files/Quillmere/"* 2>/dev/null | wc -c)
    expected="DisplayIcon|REG_SZ|$program
DisplayName|REG_SZ|Quillmere
DisplayVersion|REG_SZ|$version
EstimatedSize|REG_DWORD|$(printf '0x%x' $((size / 1024)))
NoModify|REG_DWORD|0x1
NoRepair|REG_DWORD|0x1
Publisher|REG_SZ|The Quillmere developers
QuietUninstallString|REG_SZ|\"$folder\\Uninstall.exe\" /S
UninstallString|REG_SZ|\"$folder\\Uninstall.exe\""
    [ "$(values "$key" | LC_ALL=C sort)" = "$expected" ] ||
        fail "$label: the uninstall key (< expected, > found):
$(diff <(echo "$expected") <(values "$key" | LC_ALL=C sort))"
}

echo "== a fresh Wine prefix"
if ! { wineboot -i && wineserver -w; } >"$work/wineboot.log" 2>&1; then
    cat "$work/wineboot.log"
    echo "FAILED: wineboot could not make the prefix $WINEPREFIX" >&2
    exit 1
fi
files >"$work/files.before"
registry >"$work/registry.before"

echo "== $(basename "$installer") /S"
start=$(date +%s.%N)
wine "$installer" /S || fail "the installer ended with status $?"
echo "installed in $(seconds "$start") s"
check_install "the installer" "$version"
cmp "$drive/Program Files/Quillmere/quillmere.exe" "$build/program/quillmere.exe" ||
    fail "the installed quillmere.exe is not the one the build made"
cmp "$drive/Program Files/Quillmere/LICENSE" "$source/LICENSE" || fail "the installed LICENSE differs"
cmp "$drive/Program Files/Quillmere/README.txt" "$build/program/README.txt" ||
    fail "the installed README.txt differs"
echo "installed program: $(stat -c %s "$drive/Program Files/Quillmere/quillmere.exe") bytes;" \
    "all files: $(du -sb "$drive/Program Files/Quillmere" | cut -f1) bytes"

# The shortcut holds the program's path, and its icon's, in UTF-16 strings
# (each after its length, which strings may read as a character).
target=$(strings -e l "$drive/$shortcut" | grep -o '[A-Z]:\\.*\.exe$' | sort -u)
[ "$target" = "$program" ] || fail "the shortcut names '$target', not $program"
run_program "the program started from the shortcut's path" "$target"

echo "== $(basename "$installer") /S over itself"
wine "$installer" /S || fail "the installer over itself ended with status $?"
check_install "installed over itself" "$version"

echo "== over an older version"
# The same files as version 0.0, with a file more that only its uninstaller
# knows of: installing this version must run that uninstaller first.
if ! "$cpack" --config "$build/CPackConfig.cmake" -G NSIS -B "$work/older" \
    -D CPACK_PACKAGE_VERSION=0.0 -D CPACK_PACKAGE_FILE_NAME=Quillmere-0.0-win64 \
    -D 'CPACK_NSIS_EXTRA_INSTALL_COMMANDS=FileOpen $0 "$INSTDIR\older.txt" w
FileClose $0' \
    -D 'CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS=Delete "$INSTDIR\older.txt"' >"$work/older.log" 2>&1; then
    cat "$work/older.log"
    fail "cpack could not make an older installer"
else
    wine "$work/older/Quillmere-0.0-win64.exe" /S || fail "the older installer ended with status $?"
    [ -f "$drive/Program Files/Quillmere/older.txt" ] &&
        values "$key" | grep -qx 'DisplayVersion|REG_SZ|0.0' ||
        fail "the older version did not install over this one"
    wine "$installer" /S || fail "the installer over the older version ended with status $?"
    check_install "installed over an older version" "$version"
fi

echo "== its uninstaller, as Apps & features runs it"
quiet=$(values "$key" | sed -n 's/^QuietUninstallString|REG_SZ|//p')
uninstaller=${quiet%\" /S}
uninstaller=${uninstaller#\"}
start=$(date +%s.%N)
# It copies itself to the temporary folder and ends, leaving the copy to do
# the work: wineserver -w waits for every program of the prefix to end.
wine "$uninstaller" /S || fail "the uninstaller ended with status $?"
wineserver -w
echo "uninstalled in $(seconds "$start") s"
# The copy is deleted at the next restart, when Windows (and wineboot -r)
# carries out the deletions left for it; Wine leaves the copy's folder, empty
# (a file left in it is still found).
wineboot -r >"$work/wineboot.log" 2>&1 && wineserver -w
files | grep -v '^users/[^/]*/Temp/~nsu[0-9]*\.tmp$' >"$work/files.after"
[ "$(diff "$work/files.before" "$work/files.after")" = "" ] ||
    fail "uninstalled, the prefix's files differ (< before the install, > after):
$(diff "$work/files.before" "$work/files.after")"
registry >"$work/registry.after"
[ "$(diff "$work/registry.before" "$work/registry.after")" = "" ] ||
    fail "uninstalled, the registry differs (< before the install, > after):
$(diff "$work/registry.before" "$work/registry.after")"

echo "== $(basename "$zip")"
expected="$name/LICENSE
$name/README.txt
$name/quillmere.exe"
[ "$(unzip -Z1 "$zip" | LC_ALL=C sort)" = "$expected" ] ||
    fail "the zip holds other files (< expected, > found):
$(diff <(echo "$expected") <(unzip -Z1 "$zip" | LC_ALL=C sort))"
# Anywhere, such as a folder with a space in its name.
mkdir -p "$drive/Portable apps"
unzip -q "$zip" -d "$drive/Portable apps"
cmp "$drive/Portable apps/$name/quillmere.exe" "$build/program/quillmere.exe" ||
    fail "the zip's quillmere.exe is not the one the build made"
files >"$work/files.unpacked"
registry >"$work/registry.unpacked"
run_program "the unpacked program" "C:\\Portable apps\\$name\\quillmere.exe"
wineserver -w
files >"$work/files.after"
registry >"$work/registry.after"
[ "$(diff "$work/files.unpacked" "$work/files.after")" = "" ] ||
    fail "the unpacked program changed files (< before, > after):
$(diff "$work/files.unpacked" "$work/files.after")"
[ "$(diff "$work/registry.unpacked" "$work/registry.after")" = "" ] ||
    fail "the unpacked program changed the registry (< before, > after):
$(diff "$work/registry.unpacked" "$work/registry.after")"

echo "== $(basename "$sdk")"
"$cmake" --install "$build" --component development --prefix "$work/sdk" >"$work/sdk.log" ||
    { cat "$work/sdk.log"; fail "cmake --install --component development failed"; }
expected=$(cd "$work/sdk" && find . ! -type d | sed "s|^\./|Quillmere-SDK-$version-win64/|" |
    LC_ALL=C sort)
[ "$(unzip -Z1 "$sdk" | LC_ALL=C sort)" = "$expected" ] ||
    fail "the SDK zip holds other files than the development component (< installed, > zipped):
$(diff <(echo "$expected") <(unzip -Z1 "$sdk" | LC_ALL=C sort))"

finish "Windows package" "The installer, the uninstaller and the zips work as a Windows user meets them."
