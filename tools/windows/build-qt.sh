#!/bin/bash
# build-qt.sh: Qt for 64-bit Windows, cross-built from Debian's own qt6-base source package with
# the MinGW-w64 compilers, against the host's Qt of the same version (QT_HOST_PATH) for moc,
# uic, rcc and the other build tools. Runs inside the Debian 13 root (tools/windows/windows.sh
# enters it). Only what the program uses is built: Core, Gui, Widgets, Test, the Windows
# platform plugin and the image readers the program's pictures need.
#
# The result is installed in $QT_PREFIX and kept: a later run finds the marker file written
# after a successful install and returns at once.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
QT_PREFIX=${QT_PREFIX:-/opt/tressora/qt-mingw64}
WORK=${QT_WORK:-/var/cache/tressora/qt-mingw64}
JOBS=${JOBS:-$(nproc)}
marker=$QT_PREFIX/.tressora-qt-complete

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
if [ -e "$marker" ] && [ "$(cat "$marker")" = "$host_version" ]; then
    echo "build-qt.sh: Qt $host_version for Windows is already built in $QT_PREFIX"
    exit 0
fi
start=$(date +%s)
echo "build-qt.sh: cross-building qt6-base $host_version for x86_64-w64-mingw32 (once; kept in $QT_PREFIX)"

# Debian's source of the very version installed as the host Qt. The deb-src entry lives in a
# private apt configuration so that the system's own sources and lists stay as they are.
apt_dir=/var/lib/tressora/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/parts"
# The same archives as the root's binary packages (the release, its updates and security).
sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$apt_dir/sources.list"
apt_private=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts="$apt_dir/parts"
             -o Dir::State::Lists="$apt_dir/lists")
apt-get "${apt_private[@]}" update -q >/dev/null

# A build that was cut short (or failed) goes on where it stopped, with the same source.
if [ "$(cat "$WORK/version" 2>/dev/null)" != "$host_version" ]; then
    rm -rf "$WORK"
    mkdir -p "$WORK/source"
    (cd "$WORK/source" && apt-get "${apt_private[@]}" source -q "qt6-base=$host_version" >../source.log 2>&1) ||
        { tail -n 20 "$WORK/source.log" >&2; exit 1; }
    echo "$host_version" >"$WORK/version"
fi
src=$(find "$WORK/source" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -f "$src/CMakeLists.txt" ] || { echo "build-qt.sh: no qt6-base source unpacked" >&2; exit 1; }

# Bundled zlib, PNG, JPEG, PCRE2 and FreeType (the MinGW sysroot has none of them); no HarfBuzz
# (Debian's source leaves it out), no network, SQL, D-Bus, printing or Vulkan. The tablet
# support includes wintab.h, which Debian's source also leaves out. OpenGL stays, loaded at run
# time (dynamic): the Windows platform plugin does not build without it. Direct2D stays too:
# 6.8.2's DirectWrite font database does not compile without it. Every option is given, on or
# off, so that a build that goes on in an older tree gets them all.
# The toolchain goes with the installed Qt, whose own toolchain file loads it from there.
mkdir -p "$QT_PREFIX"
cp "$here/mingw64.cmake" "$QT_PREFIX/mingw64.cmake"
cmake -G Ninja -S "$src" -B "$WORK/build" \
    -DCMAKE_TOOLCHAIN_FILE="$QT_PREFIX/mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$QT_PREFIX" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DQT_BUILD_MANUAL_TESTS=OFF -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF -DFEATURE_freetype=ON \
    -DFEATURE_harfbuzz=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_opengl_dynamic=ON \
    -DINPUT_opengl=dynamic -DFEATURE_vulkan=OFF -DFEATURE_direct2d=ON \
    -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF \
    -DFEATURE_openssl=OFF -DFEATURE_sql_sqlite=OFF \
    >"$WORK/configure.log" 2>&1 || { tail -n 60 "$WORK/configure.log" >&2; exit 1; }
grep -E '^(Qt modules and options|  (Core|Gui|Widgets)|Build type|Using)' "$WORK/configure.log" || true
configured=$(date +%s)
echo "build-qt.sh: configured in $(( configured - start )) s; building with $JOBS jobs"

nice -n 10 cmake --build "$WORK/build" --parallel "$JOBS" >"$WORK/build.log" 2>&1 ||
    { grep -m 5 -B 2 -A 10 'error' "$WORK/build.log" >&2 || tail -n 40 "$WORK/build.log" >&2; exit 1; }
cmake --install "$WORK/build" >"$WORK/install.log" 2>&1 || { tail -n 20 "$WORK/install.log" >&2; exit 1; }
echo "$host_version" >"$marker"
# The build tree is large and no longer needed; the logs stay for a look.
rm -rf "$WORK/build" "$WORK/source"
echo "build-qt.sh: Qt for Windows built and installed in $(( $(date +%s) - start )) s"
