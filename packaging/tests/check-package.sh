#!/bin/bash
# check-package.sh BUILD_DIR
# Builds the Debian package from BUILD_DIR in a scratch folder and checks it: the control
# fields a user and apt see, the files it installs, a stripped program, and lintian finding
# neither an error nor a warning.
set -u
build=${1:?usage: check-package.sh BUILD_DIR}
for tool in cpack dpkg-deb lintian file readelf; do
    command -v $tool >/dev/null || { echo "FAIL: $tool is missing"; exit 1; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    fail "cpack could not build the package"
    exit 1
fi
debs=("$scratch"/out/tressora_*_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    ls -l "$scratch/out"
    fail "expected exactly one tressora_<version>_<arch>.deb"
    exit 1
fi
deb=${debs[0]}
echo "built $(basename "$deb"), $(stat -c %s "$deb") bytes"

field() { dpkg-deb -f "$deb" "$1"; }
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "tressora_$(field Version)_$arch.deb" ] || fail "file name $(basename "$deb") does not follow the Debian scheme"
[ "$(field Package)" = tressora ] || fail "Package is '$(field Package)'"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)', not games"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
grep -qE '^.+ <[^@ ]+@[^> ]+>$' <<<"$(field Maintainer)" || fail "Maintainer '$(field Maintainer)' is not 'Name <address>'"
[ "$(field Description | wc -l)" -ge 3 ] || fail "the description has no extended text"
depends=$(field Depends)
echo "Depends: $depends"
# The library packages as this release names them (Debian 13's 64-bit time transition renamed
# some, libqt6core6 to libqt6core6t64): whichever package holds the library the program loads.
libraries=(libc6 fonts-dejavu-core)
owner_of() { # the package holding a file, whichever of /lib or /usr/lib dpkg knows it under
    local file real candidate
    file=$1 real=$(readlink -f "$1")
    for candidate in "$real" "$file" "${real#/usr}" "/usr${file#/usr}"; do
        dpkg-query -S "$candidate" 2>/dev/null | head -n 1 | cut -d: -f1 | grep . && return
    done
}
for soname in libstdc++.so.6 libQt6Core.so.6 libQt6Gui.so.6 libQt6Widgets.so.6; do
    path=$(ldd "$build/tressora" | awk -v lib="$soname" '$1 == lib {print $3}')
    owner=$([ -n "$path" ] && owner_of "$path")
    [ -n "$owner" ] && libraries+=("$owner") || fail "no installed package holds $soname ('$path')"
done
for lib in "${libraries[@]}"; do
    tr ',' '\n' <<<"$depends" | awk '{print $1}' | grep -qxF "$lib" || fail "Depends lacks $lib"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/tressora \
            ./usr/share/applications/example.orvane.Tressora.desktop \
            ./usr/share/metainfo/example.orvane.Tressora.metainfo.xml \
            ./usr/share/icons/hicolor/256x256/apps/example.orvane.Tressora.png \
            ./usr/share/icons/hicolor/scalable/apps/example.orvane.Tressora.svg \
            ./usr/share/man/man1/tressora.1.gz \
            ./usr/share/doc/tressora/copyright \
            ./usr/share/doc/tressora/changelog.gz; do
    grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done
if grep -vE '^\./usr(/|$)' <<<"$contents" | grep -q .; then
    fail "files outside /usr: $(grep -vE '^\./usr(/|$)' <<<"$contents" | tr '\n' ' ')"
fi

mkdir "$scratch/root"
dpkg-deb -x "$deb" "$scratch/root"
program=$scratch/root/usr/bin/tressora
if [ -f "$program" ]; then
    file "$program" | grep -q ', stripped' || fail "the program is not stripped: $(file -b "$program")"
    runpath=$(readelf -d "$program" | grep -E '\((RPATH|RUNPATH)\)')
    [ -z "$runpath" ] || fail "the program carries a library search path: $runpath"
fi

lintian --no-cfg --display-info --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1
lintian_status=$?
cat "$scratch/lintian.log"
[ $lintian_status -eq 0 ] || fail "lintian reports errors or warnings"

[ $failed -eq 0 ] && echo "PASS: $(basename "$deb") is a sound Debian package"
exit $failed
