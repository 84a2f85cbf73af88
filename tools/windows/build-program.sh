#!/bin/bash
# build-program.sh: Tressora.exe for 64-bit Windows from the same sources as the Linux program,
# against Qt for Windows (build-qt.sh), and from it the installer and the portable zip:
#   $TRESSORA_WINDOWS_BUILD/program                    the CMake build (the tests too, on demand)
#   $TRESSORA_WINDOWS_BUILD/stage/Tressora             the installed folder
#   $TRESSORA_WINDOWS_BUILD/Tressora-<version>-setup.exe and Tressora-<version>-portable.zip
# With a certificate and its key (TRESSORA_SIGN_CERT, TRESSORA_SIGN_KEY; docs/windows.md),
# Tressora.exe, the uninstaller and the installer are signed (tools/windows/sign.sh).
# Runs inside the Debian 13 root, in the repository (tools/windows/windows.sh).
set -euo pipefail
QT_PREFIX=${QT_PREFIX:-/opt/tressora/qt-mingw64}
build=${TRESSORA_WINDOWS_BUILD:-build-windows}
JOBS=${JOBS:-$(nproc)}
targets=${TRESSORA_WINDOWS_TARGETS:-tressora}
version=$(sed -nE 's/^project\(Tressora VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "build-program.sh: no version in CMakeLists.txt" >&2; exit 1; }
start=$(date +%s)
mkdir -p "$build"

# Qt's own toolchain file loads tools/windows/mingw64.cmake, copied beside it by build-qt.sh;
# test programs run under Wine.
"$QT_PREFIX/bin/qt-cmake" -G Ninja -S . -B "$build/program" -DCMAKE_BUILD_TYPE=Release \
    -DTRESSORA_WERROR=ON -DQT_HOST_PATH=/usr \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$(pwd)/tools/windows/wine-run.sh" >"$build/configure.log" 2>&1 ||
    { tail -n 40 "$build/configure.log" >&2; exit 1; }
# shellcheck disable=SC2086 # the targets are a list
nice -n 10 cmake --build "$build/program" --parallel "$JOBS" --target $targets

stage=$build/stage
rm -rf "$stage"
cmake --install "$build/program" --strip --prefix "$stage/Tressora" >/dev/null
# Qt's and the MinGW runtime's DLLs are copied as built, with their symbols: those go too.
find "$stage/Tressora" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
# Qt's catalogues keep the messages of the classes this Qt has, not those of every platform's.
python3 tools/windows/trim-qt-catalogues.py "$stage/Tressora"
sign=()
if [ -n "${TRESSORA_SIGN_CERT:-}" ] && [ -n "${TRESSORA_SIGN_KEY:-}" ]; then
    "$(pwd)/tools/windows/sign.sh" "$stage/Tressora/Tressora.exe"
    sign=(-DSIGN="$(pwd)/tools/windows/sign.sh")
else
    echo "build-program.sh: not signed (TRESSORA_SIGN_CERT and TRESSORA_SIGN_KEY name no certificate)"
fi

# installer VERSION FOLDER OUTFILE: the installer of the program in FOLDER, as version VERSION.
# What its uninstaller removes: every installed file, then the folders, deepest first.
installer() {
    local files=$build/uninstall-files-$1.nsh
    (
        cd "$2"
        find . -type f | sed 's|^\./||' | sort | tr '/' '\\' | sed 's/.*/    Delete "$INSTDIR\\&"/'
        find . -mindepth 1 -type d | sed 's|^\./||' | sort -r | tr '/' '\\' | sed 's/.*/    RMDir "$INSTDIR\\&"/'
    ) >"$files"
    makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$1" -DSTAGE="$(realpath "$2")" "${sign[@]}" \
        -DFILES="$(realpath "$files")" -DSIZE_KB="$(du -sk "$2" | cut -f1)" -DOUTFILE="$3" \
        packaging/windows/tressora.nsi
}
size_kb=$(du -sk "$stage/Tressora" | cut -f1)
setup=Tressora-$version-setup.exe
installer "$version" "$stage/Tressora" "$(realpath "$build")/$setup"
# For the tests, an older version to install over: the same program with a file of its own.
if [ "$targets" = all ]; then
    rm -rf "$build/older"
    mkdir -p "$build/older"
    cp -a "$stage/Tressora" "$build/older/Tressora"
    echo "Release notes of Tressora 0.9.0" >"$build/older/Tressora/notes-0.9.txt"
    installer 0.9.0 "$build/older/Tressora" "$(realpath "$build")/older/Tressora-0.9.0-setup.exe"
fi
portable=Tressora-$version-portable.zip
rm -f "$build/$portable"
(cd "$stage" && cmake -E tar cf "../$portable" --format=zip Tressora)
echo "build-program.sh: $build/$setup ($(du -k "$build/$setup" | cut -f1) KiB) and $build/$portable" \
     "($(du -k "$build/$portable" | cut -f1) KiB) from a $size_kb KiB folder in $(( $(date +%s) - start )) s"
