#!/usr/bin/env bash
# The Windows release as a Windows user meets it, under Wine on the display
# that with-xvfb.sh gives, in a Wine prefix made fresh for the run:
# - The installer, run silently (/S): exactly its files in Program Files and
#   the Start-menu shortcut, and nothing else, added to the prefix; the
#   program and its files as the build made them; the shortcut naming the
#   installed program; the uninstall key with exactly its values (its home
#   page the one the metainfo in data/ names). The program started from the
#   shortcut's path opens its window and ends with status 0 when the window
#   is closed; as it starts, Wine's loader finds the common controls 6 that
#   its manifest names.
# - Installed again over itself: the one install of the first. Run silently
#   while the installed program runs: it ends with status 3 and changes no
#   file and no registry value.
# - An older version (made here from the same build, with a file of its own)
#   installed into a folder the user chose (/D=): the wizard, cancelled,
#   leaves it installed; this version installed silently over it goes into
#   the same folder, as the one install, the older version's file gone.
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
# A folder of the user's own choice, as the installer's /D= names it.
chosen='C:\Colour mixer'
shortcut="ProgramData/Microsoft/Windows/Start Menu/Programs/Quillmere.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmere'
homepage=$(sed -n 's|.*<url type="homepage">\(.*\)</url>.*|\1|p' \
    "$source/data/io.github.quillmere.Quillmere.metainfo.xml.in")
# The installer's exit status when it found Quillmere running.
program_running=3

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

# start_program LABEL EXE: starts EXE with --no-banner and waits for its
# window "Quillmere" ($window; $pid is the program's); false when none came.
start_program() {
    local label=$1 exe=$2
    window=
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
        return 1
    fi
}

# close_program LABEL: asks the started program's window to close as a
# window manager's close button does, and expects it to end with status 0.
close_program() {
    local status=0
    "$close_window" "$window"
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "$1: ended with status $status: $(cat "$work/program.log")"
}

# run_program LABEL EXE: both.
run_program() {
    start_program "$@" && close_program "$1"
}

# check_install LABEL VERSION [FOLDER]: the prefix holds one install of
# VERSION, in FOLDER (by default the one in Program Files).
check_install() {
    local label=$1 version=$2 folder=${3:-$folder} size expected installed path
    path=${folder#C:\\}
    path=${path//\\//}
    installed=$(printf '%s\n' "$path" "$path/LICENSE" "$path/README.txt" "$path/Uninstall.exe" \
        "$path/quillmere.exe" "$shortcut" | LC_ALL=C sort)
    files >"$work/files.now"
    [ "$(added "$work/files.before" "$work/files.now")" = "$installed" ] &&
        [ -z "$(removed "$work/files.before" "$work/files.now")" ] ||
        fail "$label: the prefix changed otherwise (< expected, > found):
$(diff <(echo "$installed") <(added "$work/files.before" "$work/files.now"))
$(removed "$work/files.before" "$work/files.now" | sed 's/^/removed: /')"
    # Apps & features shows the size in KiB.
    # (Nothing when the folder is missing, which the check above reports.)
    size=$(cat "$drive/$path/"* 2>/dev/null | wc -c) || true
    expected=$(LC_ALL=C sort <<EOF
DisplayIcon|REG_SZ|$folder\\quillmere.exe
DisplayName|REG_SZ|Quillmere
DisplayVersion|REG_SZ|$version
EstimatedSize|REG_DWORD|$(printf '0x%x' $((size / 1024)))
InstallLocation|REG_SZ|$folder
NoModify|REG_DWORD|0x1
NoRepair|REG_DWORD|0x1
Publisher|REG_SZ|The Quillmere developers
QuietUninstallString|REG_SZ|"$folder\\Uninstall.exe" /S
URLInfoAbout|REG_SZ|$homepage
UninstallString|REG_SZ|"$folder\\Uninstall.exe"
EOF
    )
    [ "$(values "$key" | LC_ALL=C sort)" = "$expected" ] ||
        fail "$label: the uninstall key (< expected, > found):
$(diff <(echo "$expected") <(values "$key" | LC_ALL=C sort))"
}

# cancel_wizard: starts the installer with its wizard and cancels it as a
# user would: a notice before the wizard is accepted, the wizard closed, and
# its question whether to quit answered yes; the installer must then end
# with status 1 (cancelled by the user).
cancel_wizard() {
    local setup id height closed= status=0
    wine "$installer" >"$work/wizard.log" 2>&1 &
    setup=$!
    for _ in $(seq 1 60); do
        kill -0 "$setup" 2>/dev/null || break
        # Its lowest window: a message box is under 200 pixels high, the
        # wizard over 300. Return answers a message box with its first
        # button (OK, Yes).
        read -r id height < <(
            for id in $(xdotool search --onlyvisible --name '^Quillmere Setup$' 2>/dev/null); do
                echo "$id $(xdotool getwindowgeometry --shell "$id" | sed -n 's/^HEIGHT=//p')"
            done | sort -k2n
        ) || true
        # A key sent before Wine has made the box active is lost, so a box
        # still there a second after its key gets it again.
        if [ -n "${id:-}" ] && [ "$height" -lt 200 ]; then
            xdotool key --window "$id" Return 2>/dev/null || true
            sleep 1
        elif [ -n "${id:-}" ] && [ -z "$closed" ]; then
            "$close_window" "$id" && closed=yes
        fi
        sleep 0.2
    done
    kill -0 "$setup" 2>/dev/null && { fail "the wizard did not end: $(cat "$work/wizard.log")"; wineserver -k; }
    wait "$setup" || status=$?
    [ -n "$closed" ] && [ "$status" -eq 1 ] ||
        fail "the wizard was not cancelled (status $status): $(cat "$work/wizard.log")"
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

# Its manifest as Wine's loader reads it as the program starts: common
# controls 6 (the banner's look) named well enough to be found, in the
# prefix's side-by-side store, in the program's own process.
trace=$(WINEDEBUG=trace+actctx wine "$program" --version 2>&1 >/dev/null) || true
thread=$(grep -m 1 'get_manifest_in_module .*quillmere\.exe' <<<"$trace" | cut -d : -f 1) || true
grep -q "^${thread:-none}:trace:actctx:get_manifest_in_manifest_file .*common-controls_6595b64144ccf1df_6\." \
    <<<"$trace" || fail "starting the program, Wine's loader found no common controls 6 for it"

echo "== $(basename "$installer") /S over itself"
wine "$installer" /S || fail "the installer over itself ended with status $?"
check_install "installed over itself" "$version"

echo "== $(basename "$installer") /S while the installed program runs"
if start_program "the installed program" "$program"; then
    files >"$work/files.running"
    registry >"$work/registry.running"
    status=0
    wine "$installer" /S || status=$?
    [ "$status" -eq "$program_running" ] ||
        fail "with the program running, the installer ended with status $status, not $program_running"
    changes=$(diff "$work/files.running" <(files); diff "$work/registry.running" <(registry)) || true
    [ -z "$changes" ] || fail "with the program running, the installer changed the prefix:
$changes"
    close_program "the installed program, after the installer"
fi

echo "== over an older version, in a folder of the user's choice"
# older_installed: the older version's file and key are there.
older_installed() {
    [ -f "$drive/${chosen#C:\\}/older.txt" ] && values "$key" | grep -qx 'DisplayVersion|REG_SZ|0.0'
}
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
    # /D= takes the rest of the command line, spaces and all, unquoted, so
    # the folder is given as words that Wine joins with a space.
    read -r -a words <<<"/D=$chosen"
    wine "$work/older/Quillmere-0.0-win64.exe" /S "${words[@]}" ||
        fail "the older installer ended with status $?"
    older_installed || fail "the older version did not install over this one into $chosen"
    cancel_wizard
    older_installed || fail "cancelling the wizard removed the older version"
    wine "$installer" /S || fail "the installer over the older version ended with status $?"
    check_install "installed over an older version in $chosen" "$version" "$chosen"
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
