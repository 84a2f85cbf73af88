#!/bin/bash
# test-wine.sh: the Windows build under Wine on a virtual X server, after build-program.sh has
# built it with its tests (TRESSORA_WINDOWS_TARGETS=all):
#   1. the rule and window suites (tests/tst_*.cpp), cross-built, each run by CTest under Wine
#      in a prefix of their own;
#   2. tests/e2e/wine.cpp, built for Linux and run the way the Linux end-to-end tests run (each
#      function one CTest test): the installer, the installed program driven from outside, the
#      registry, the uninstaller.
# Runs inside the Debian 13 root, in the repository (tools/windows/windows.sh).
set -euo pipefail
QT_PREFIX=${QT_PREFIX:-/opt/tressora/qt-mingw64}
build=$(realpath "${TRESSORA_WINDOWS_BUILD:-build-windows}")
JOBS=${JOBS:-$(nproc)}
start=$(date +%s)
status=0

# Qt's DLLs from the Qt build, the MinGW runtime from the compiler: Wine searches WINEPATH.
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
pthread=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
export WINEPATH="Z:${QT_PREFIX//\//\\}\\bin;Z:${runtime//\//\\};Z:${pthread//\//\\}"
export WINEPREFIX=$build/wine-suites WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# The prefix is made without a display. Wine's server and its desktop outlive wineboot for a
# while, and a program started meanwhile joins that desktop, which has no display either: its
# windows never reach the X server (on a fresh machine every suite that shows a window failed).
# So the suites start only once that server has gone.
if [ ! -d "$WINEPREFIX" ]; then
    echo "test-wine.sh: a Wine prefix for the suites"
    wineboot -i >/dev/null 2>&1
    wineserver -w
fi
# The suites take Qt's own translations from the Qt they are built against (the installed
# program has them beside it): the cross-built Qt gets the host's, of the same version.
mkdir -p "$QT_PREFIX/translations"
for language in de fr es; do
    cp -n "/usr/share/qt6/translations/qtbase_$language.qm" "$QT_PREFIX/translations/"
done
echo "== the rule and window suites under Wine ($(wine --version))"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    ctest --test-dir "$build/program" --output-on-failure --timeout 600 || status=1
wineserver -k 2>/dev/null || true
suites=$(date +%s)

echo "== the installed program under Wine"
cmake -S . -B "$build/e2e" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRESSORA_WERROR=ON \
    -DTRESSORA_WINE_BUILD="$build" >"$build/e2e.configure.log" 2>&1 ||
    { tail -n 30 "$build/e2e.configure.log" >&2; exit 1; }
nice -n 10 cmake --build "$build/e2e" --parallel "$JOBS" --target tressora_e2e_wine
ctest --test-dir "$build/e2e" -R '^e2e_wine_' --output-on-failure || status=1
echo "test-wine.sh: suites $(( suites - start )) s, installed program $(( $(date +%s) - suites )) s"
exit $status
