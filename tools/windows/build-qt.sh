#!/bin/bash
# build-qt.sh: Qt for 64-bit Windows, cross-built from Debian's own qt6-base source package with
# the MinGW-w64 compilers, against the host's Qt of the same version (QT_HOST_PATH) for moc,
# uic, rcc and the other build tools. Runs inside the Debian 13 root (tools/windows/windows.sh
# enters it). Only what the program, its forms and its test suites use is built: Core, Gui,
# Widgets and Test with the features they need, the Windows platform plugin, the offscreen one
# the suites run on, the Windows styles of the message boxes and the JPEG reader.
#
# The result is installed in $QT_PREFIX and kept: a later run finds the marker file written
# after a successful install and returns at once. The build's own record of every step
# (.ninja_log) is kept in $QT_WORK for a look at where the time went.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
QT_PREFIX=${QT_PREFIX:-/opt/tressora/qt-mingw64}
WORK=${QT_WORK:-/var/cache/tressora/qt-mingw64}
JOBS=${JOBS:-$(nproc)}
marker=$QT_PREFIX/.tressora-qt-complete
# What a build is made with: a kept Qt of another recipe is built again.
recipe=10

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
if [ -e "$marker" ] && [ "$(cat "$marker")" = "$host_version recipe $recipe" ]; then
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
if [ "$(cat "$WORK/version" 2>/dev/null)" != "$host_version recipe $recipe" ]; then
    rm -rf "$WORK"
    mkdir -p "$WORK/source"
    (cd "$WORK/source" && apt-get "${apt_private[@]}" source -q "qt6-base=$host_version" >../source.log 2>&1) ||
        { tail -n 20 "$WORK/source.log" >&2; exit 1; }
    src=$(find "$WORK/source" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
    # Four changes to Debian's source, each a line or two: the minimal platform plugin, which
    # has no switch of its own and serves nothing here, is left out; Qt Gui is built in unity
    # batches on Windows too (Qt turns them off there for the whole module), but for the source
    # that clashes with others in a batch; PCRE2 runs its patterns interpreted, without the
    # compiler to machine code that the program's few short patterns gain nothing from; Qt Gui's
    # Direct3D 11 and 12 renderers (with the latter's memory allocator) are left out: they serve
    # only windows drawn through Qt's hardware rendering layer, which widgets drawn in software,
    # as all of the program's are, never use, and without them that layer reports Direct3D
    # unavailable, as it does where Qt is built with old Windows headers.
    sed -i '/add_subdirectory(minimal)/d' "$src/src/plugins/platforms/CMakeLists.txt"
    printf '%s\n' '' 'set_target_properties(Gui PROPERTIES UNITY_BUILD ON)' \
        'set_source_files_properties(text/windows/qwindowsfontengine.cpp' \
        '    PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)' >>"$src/src/gui/CMakeLists.txt"
    printf '%s\n' '' 'target_compile_definitions(BundledPcre2 PRIVATE PCRE2_DISABLE_JIT)' \
        >>"$src/src/3rdparty/pcre2/CMakeLists.txt"
    sed -i -e '/rhi\/qrhid3d1[12]\.cpp/d' -e '/rhi\/qrhid3dhelpers\.cpp/d' \
        -e '/D3D12MemoryAllocator\/D3D12MemAlloc\.cpp/d' "$src/src/gui/CMakeLists.txt"
    sed -i -e '/case D3D11:/,/case Metal:/s/^#ifdef Q_OS_WIN$/#if 0/' \
        -e '/case D3D12:/,/^    }$/s/^#ifdef Q_OS_WIN$/#if 0/' "$src/src/gui/rhi/qrhi.cpp"
    echo "$host_version recipe $recipe" >"$WORK/version"
fi
src=$(find "$WORK/source" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -f "$src/CMakeLists.txt" ] || { echo "build-qt.sh: no qt6-base source unpacked" >&2; exit 1; }
fetched=$(date +%s)

# Qt's feature switches for what neither the program, its forms nor its test suites use.
# (The Windows styles of the message boxes use the input dialog, the graphics effects, the
# command link button, the tab bar and tab widget, the rubber band, the tool bar, the MDI area
# and the application's style sheet whatever the switches say, so those stay, with the spin
# boxes, the graphics view and the CSS parser they need.)
off="calendarwidget datetimeedit colordialog fontdialog filedialog fscompleter errormessage
     progressdialog wizard dockwidget toolbox splashscreen lcdnumber dial
     keysequenceedit fontcombobox undoview columnview tablewidget treewidget listwidget
     syntaxhighlighter textbrowser
     datawidgetmapper statusbar progressbar splitter whatsthis
     scroller sizegrip completer
     pdf movie textodfwriter textmarkdownreader textmarkdownwriter systemtrayicon sessionmanager
     undocommand undostack undogroup imageformat_ppm imageformat_xbm gif ico
     raster_64bit raster_fp
     hijricalendar islamiccivilcalendar jalalicalendar sharedmemory systemsemaphore
     transposeproxymodel concatenatetablesproxymodel identityproxymodel sortfilterproxymodel
     mimetype_database commandlineparser filesystemwatcher itemmodeltester
     permissions sha3_fast filesystemmodel formlayout statustip"
# ...and what they do use, which must still be there once Qt has weighed the switches.
needed="accessibility messagebox mainwindow menubar menu combobox textedit lineedit groupbox
        checkbox radiobutton pushbutton label dialog style_fusion style_windows
        style_windowsvista scrollbar listview tooltip shortcut clipboard desktopservices
        imageformat_jpeg imageformat_bmp imageformat_png freetype direct2d directwrite testlib
        inputdialog graphicseffect commandlinkbutton tabwidget tabbar rubberband toolbar mdiarea
        style_stylesheet"
feature_args=()
for feature in $off; do feature_args+=("-DFEATURE_$feature=OFF"); done

# One unity translation unit per batch of sources, optimised for size, each function and datum in
# a section of its own so that the linker drops those nothing refers to. Bundled zlib, PNG, JPEG,
# PCRE2 and FreeType (the MinGW sysroot has none of them; FreeType is what the offscreen
# platform draws with); no HarfBuzz (Debian's source leaves it out), network, SQL, D-Bus,
# printing, Vulkan or OpenGL (INPUT_opengl=no: the Windows platform plugin builds without it).
# Direct2D stays for the DirectWrite font database, which needs it; its own platform plugin,
# which builds the whole Windows platform plugin a second time, does not (direct2d1_1). No
# tablet support (Debian's source leaves out wintab.h), no SBOM. Every option is given, on or
# off, so that a build that goes on in an older tree gets them all.
# The toolchain goes with the installed Qt, whose own toolchain file loads it from there.
# A Qt of another version or recipe goes first, so that none of its files stays behind.
sections="-ffunction-sections -fdata-sections"
[ -e "$QT_PREFIX/.tressora-qt-building" ] || rm -rf "$QT_PREFIX"
mkdir -p "$QT_PREFIX"
touch "$QT_PREFIX/.tressora-qt-building"
cp "$here/mingw64.cmake" "$QT_PREFIX/mingw64.cmake"
cmake -G Ninja -S "$src" -B "$WORK/build" \
    -DCMAKE_TOOLCHAIN_FILE="$QT_PREFIX/mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$QT_PREFIX" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DQT_BUILD_MANUAL_TESTS=OFF -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF -DQT_GENERATE_SBOM=OFF \
    -DQT_UNITY_BUILD=ON -DQT_UNITY_BUILD_BATCH_SIZE="${QT_UNITY_BATCH:-32}" \
    -DFEATURE_optimize_size=ON -DCMAKE_C_FLAGS="$sections" -DCMAKE_CXX_FLAGS="$sections" \
    -DCMAKE_SHARED_LINKER_FLAGS=-Wl,--gc-sections -DCMAKE_MODULE_LINKER_FLAGS=-Wl,--gc-sections \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF -DFEATURE_freetype=ON \
    -DFEATURE_harfbuzz=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF \
    -DFEATURE_direct2d=ON -DFEATURE_direct2d1_1=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF \
    -DFEATURE_openssl=OFF -DFEATURE_sql_sqlite=OFF "${feature_args[@]}" \
    >"$WORK/configure.log" 2>&1 || { tail -n 60 "$WORK/configure.log" >&2; exit 1; }
missing=""
for feature in $needed; do
    grep -q "^FEATURE_$feature:BOOL=ON" "$WORK/build/CMakeCache.txt" || missing="$missing $feature"
done
[ -z "$missing" ] || { echo "build-qt.sh: Qt was configured without:$missing" >&2; exit 1; }
configured=$(date +%s)
echo "build-qt.sh: source in $(( fetched - start )) s, configured in $(( configured - fetched )) s;" \
     "building with $JOBS jobs"

nice -n 10 cmake --build "$WORK/build" --parallel "$JOBS" >"$WORK/build.log" 2>&1 ||
    { grep -m 5 -B 2 -A 10 'error' "$WORK/build.log" >&2 || tail -n 40 "$WORK/build.log" >&2; exit 1; }
built=$(date +%s)
cp "$WORK/build/.ninja_log" "$WORK/ninja.log"
cmake --install "$WORK/build" >"$WORK/install.log" 2>&1 || { tail -n 20 "$WORK/install.log" >&2; exit 1; }
echo "$host_version recipe $recipe" >"$marker"
rm "$QT_PREFIX/.tressora-qt-building"
# The build tree is large and no longer needed; the logs stay for a look.
rm -rf "$WORK/build" "$WORK/source"
echo "build-qt.sh: $(grep -c -v '^#' "$WORK/ninja.log") steps built in $(( built - configured )) s;" \
     "Qt for Windows built and installed in $(( $(date +%s) - start )) s"
