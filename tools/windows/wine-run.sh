#!/bin/sh
# Runs a Qt Test program built for Windows under Wine, for CTest (the Windows build's
# cross-compiling emulator), and prints its report. Without a console (there is none under
# CTest), Qt Test on Windows sends its report to the debugger, so it is asked for a file instead.
# Wine's own output goes through a file too: the first program of a Wine prefix starts Wine's
# services, which inherit it and would hold CTest's pipe open until CTest's timeout, long after
# the test itself has ended.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tressora-wine.XXXXXX") || exit 1
program=$1
shift
wine "$program" "$@" -o "Z:$(echo "$scratch/report.txt" | tr / '\\'),txt" \
    >"$scratch/wine.txt" 2>&1 </dev/null
status=$?
cat "$scratch/report.txt" "$scratch/wine.txt" 2>/dev/null
rm -rf "$scratch"
exit $status
