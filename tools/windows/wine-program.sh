#!/bin/sh
# Starts the Windows program TRESSORA_WINE_PROGRAM with Wine in the prefix TRESSORA_WINEPREFIX,
# in place of the Linux program the end-to-end tests start: the tests' sandbox leaves only its
# own folder on the PATH (where its stand-in browser lies, which Wine hands web addresses to),
# so Wine's folders are added after it; Qt on Windows has its one platform and is told none.
# The sandbox's own temporary folder is left out: with TMPDIR set to it, Wine 10 aborts at
# start ("free(): invalid pointer"; found by trying the sandbox's variables one at a time), and
# Windows programs have their temporary folder in the prefix anyway.
PATH=$PATH:/usr/bin:/bin
export PATH
unset QT_QPA_PLATFORM TMPDIR
export WINEPREFIX="${TRESSORA_WINEPREFIX:?}" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
exec wine "${TRESSORA_WINE_PROGRAM:?}" "$@"
