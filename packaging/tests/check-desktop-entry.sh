#!/bin/bash
# check-desktop-entry.sh DESKTOP_FILE
# Passes when desktop-file-validate finds nothing to say about the menu entry: no error, no
# warning and no hint (a hint points at real trouble, such as a missing main category that
# leaves the entry in a menu's catch-all section).
set -u
file=${1:?usage: check-desktop-entry.sh DESKTOP_FILE}
command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate is missing (desktop-file-utils)"; exit 1; }
[ -f "$file" ] || { echo "no such file: $file"; exit 1; }

output=$(desktop-file-validate "$file" 2>&1)
status=$?
[ -n "$output" ] && printf '%s\n' "$output"
if [ $status -ne 0 ] || grep -qE ': (error|warning|hint):' <<<"$output"; then
    echo "FAIL: desktop-file-validate rejects $file"
    exit 1
fi
echo "PASS: $file is a valid desktop entry"
