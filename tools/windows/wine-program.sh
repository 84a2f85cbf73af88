#!/bin/sh
# Starts the Windows program TRESSORA_WINE_PROGRAM with Wine in the prefix TRESSORA_WINEPREFIX,
# in place of the Linux program the end-to-end tests start: the tests' sandbox leaves only its
# own folder on the PATH (where its stand-in browser lies, which Wine hands web addresses to),
# so Wine's folders are added after it; Qt on Windows has its one platform and is told none.
PATH=$PATH:/usr/bin:/bin
export PATH
unset QT_QPA_PLATFORM
export WINEPREFIX="${TRESSORA_WINEPREFIX:?}" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
exec wine "${TRESSORA_WINE_PROGRAM:?}" "$@"
