#!/usr/bin/env bash
# Checks the web release's zip (cpack --preset web): exactly the files of the
# site that a static host needs, in one folder named after the zip.
# Usage: check_web_release.sh ZIP EXPECTED_FILES
set -euo pipefail
zip=$1
expected=$2
[ -f "$zip" ] || { echo "no release at $zip: run cpack --preset web first" >&2; exit 1; }
folder=$(basename "$zip" .zip)
if ! diff -u <(sed "s|^|$folder/|" "$expected" | sort) <(unzip -Z1 "$zip" | grep -v '/$' | sort); then
    echo "the release's files (+) differ from the expected ones (-)" >&2
    exit 1
fi
echo "$zip holds the $(wc -l <"$expected") files expected"
