#!/bin/bash
# windows.sh: the Windows build of the program, made and tested in the Debian 13 root "windows"
# (tools/debian13/root.sh; kept in ~/.cache/tressora and reused).
#
#   windows.sh build   Qt for Windows (once, tools/windows/build-qt.sh), then Tressora.exe, the
#                      installer and the portable zip in $TRESSORA_WINDOWS_BUILD (build-windows)
#   windows.sh test    build, then the Wine test suite (tools/windows/test-wine.sh)
#   windows.sh screenshots  build, then pictures of the three windows under Wine:
#                      docs/screenshots/windows-*.png
#   windows.sh shell   a shell in the root with the repository at /mnt/tressora
# TRESSORA_SIGN_CERT and TRESSORA_SIGN_KEY (and TRESSORA_SIGN_PASSWORD_FILE, TRESSORA_SIGN_TIMESTAMP)
# name the certificate the build signs with (docs/windows.md); `test` signs with one it makes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${TRESSORA_WINDOWS_BUILD:-build-windows}
root_name=${TRESSORA_WINDOWS_ROOT:-windows}

# What the root needs: the cross compilers, the host Qt of the version that is cross-built
# (its moc, uic, rcc and lrelease), Debian's tools for its source package, NSIS, and Wine with
# a virtual X server for the tests.
packages="make cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n dpkg-dev ca-certificates
          nsis zip unzip wine wine64 xvfb xauth xdotool x11-utils imagemagick
          fonts-dejavu-core procps g++ pkg-config libgl-dev mutter dbus-x11 wmctrl x11-apps xclip
          osslsigncode openssl python3 libxfixes3"

# The signing files, each in its folder made visible inside the root.
binds=(--bind "$repo:/mnt/tressora")
signing=""
bound=0
for variable in TRESSORA_SIGN_CERT TRESSORA_SIGN_KEY TRESSORA_SIGN_PASSWORD_FILE; do
    file=${!variable:-}
    [ -n "$file" ] || continue
    [ -r "$file" ] || { echo "windows.sh: $variable names $file, which cannot be read" >&2; exit 1; }
    bound=$((bound + 1))
    binds+=(--bind "$(cd "$(dirname "$file")" && pwd):/mnt/signing$bound")
    signing="$signing $variable=/mnt/signing$bound/$(basename "$file")"
done
[ -z "${TRESSORA_SIGN_TIMESTAMP:-}" ] || signing="$signing TRESSORA_SIGN_TIMESTAMP=$TRESSORA_SIGN_TIMESTAMP"

inside() {
    "$repo/tools/debian13/root.sh" run "$root_name" "${binds[@]}" -- \
        "set -euo pipefail; cd /mnt/tressora; export JOBS=${JOBS:-$(nproc)} TRESSORA_WINDOWS_BUILD=$build$signing; $1"
}

# The tests sign with a certificate of their own, made for the run, and check every signature
# against it.
test_signing='signing=$(realpath -m "$TRESSORA_WINDOWS_BUILD/test-signing")
              tools/windows/test-certificate.sh "$signing"
              export TRESSORA_SIGN_CERT=$signing/cert.pem TRESSORA_SIGN_KEY=$signing/key.pem
              unset TRESSORA_SIGN_PASSWORD_FILE TRESSORA_SIGN_TIMESTAMP'


setup='missing=""
for p in '"$(echo $packages)"'; do
    dpkg-query -W -f="\${Status}" "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "windows.sh: installing in the root:$missing"
    apt-get update -q >/dev/null
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing >/var/log/tressora-setup.log 2>&1 ||
        { tail -n 20 /var/log/tressora-setup.log; exit 1; }
fi'

case ${1:-build} in
    build) inside "$setup; tools/windows/build-qt.sh; tools/windows/build-program.sh" ;;
    qt) inside "$setup; tools/windows/build-qt.sh" ;;
    test) inside "$setup; tools/windows/build-qt.sh; $test_signing
                  TRESSORA_WINDOWS_TARGETS=all tools/windows/build-program.sh
                  tools/windows/test-wine.sh" ;;
    screenshots) inside "$setup; tools/windows/build-qt.sh; tools/windows/build-program.sh
                  b=\$(realpath \$TRESSORA_WINDOWS_BUILD)
                  export TRESSORA_WINEPREFIX=\$b/wine-screenshots TRESSORA_WINE_PROGRAM=\$b/stage/Tressora/Tressora.exe
                  SHOT_PREFIX=windows- packaging/screenshots.sh tools/windows/wine-program.sh docs/screenshots
                  wineserver -k 2>/dev/null || true
                  export WINEPREFIX=\$TRESSORA_WINEPREFIX WINEDEBUG=-all
                  personalize='HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize'
                  wine reg add \$personalize /v AppsUseLightTheme /t REG_DWORD /d 0 /f >/dev/null
                  SHOT_PREFIX=windows-dark- SHOT_QUIZ_ONLY=1 packaging/screenshots.sh tools/windows/wine-program.sh docs/screenshots
                  wine reg add \$personalize /v AppsUseLightTheme /t REG_DWORD /d 1 /f >/dev/null
                  wine reg add 'HKCU\\Control Panel\\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
                  wineserver -k 2>/dev/null || true
                  SHOT_PREFIX=windows-150- SHOT_QUIZ_ONLY=1 packaging/screenshots.sh tools/windows/wine-program.sh docs/screenshots
                  wine reg add 'HKCU\\Control Panel\\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null
                  wineserver -k 2>/dev/null || true" ;;
    shell) inside "$setup; bash -i" ;;
    *) echo "usage: windows.sh build|qt|test|screenshots|shell" >&2; exit 2 ;;
esac
