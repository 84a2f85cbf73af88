#!/bin/bash
# check-install.sh BUILD_DIR [APP_ID]
# check-install.sh --installed PREFIX [APP_ID]
# Installs the build into a scratch prefix (or takes what a package installed under PREFIX) and
# checks it as a desktop would use it: the menu
# entry's command is the installed program, its icon exists in every hicolor size at the right
# pixel size, the metadata names the menu entry, the manual page reads cleanly; then starts the
# command from the menu entry under a virtual X server and waits until the program's window is
# mapped.
set -u
usage="usage: check-install.sh BUILD_DIR [APP_ID] | --installed PREFIX [APP_ID]"
installed=
if [ "${1:-}" = "--installed" ]; then
    installed=${2:?$usage}
    shift
fi
build=${1:?$usage}
id=${2:-example.orvane.Tressora}
timeout_s=${TRESSORA_SMOKE_TIMEOUT:-30}
for tool in cmake xvfb-run xdotool xprop file; do
    command -v $tool >/dev/null || { echo "FAIL: $tool is missing"; exit 1; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=${installed:-$scratch/usr}
failed=0
fail() { echo "FAIL: $*"; failed=1; }

if [ -z "$installed" ] && ! cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1; then
    cat "$scratch/install.log"
    fail "cmake --install failed"
    exit 1
fi

desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
[ -f "$desktop" ] || fail "no menu entry at ${desktop#$scratch/}"
[ -f "$metainfo" ] || fail "no metadata at ${metainfo#$scratch/}"
[ $failed -eq 0 ] || exit 1

key() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
exec_line=$(key Exec)
command=${exec_line%% *}
[ -x "$prefix/bin/$command" ] || fail "the menu entry runs '$command', which is not installed in bin/"
file "$prefix/bin/$command" | grep -q ELF || fail "bin/$command is not a program"

wmclass=$(key StartupWMClass)
[ -n "$wmclass" ] || fail "the menu entry names no StartupWMClass"

icon=$(key Icon)
[ "$icon" = "$id" ] || fail "the menu entry's icon is '$icon', not the application ID '$id'"
for size in 16 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
    if [ ! -f "$png" ]; then
        fail "no ${size}px icon at ${png#$scratch/}"
    elif ! file "$png" | grep -q "PNG image data, $size x $size,"; then
        fail "${png#$scratch/} is not a $size x $size PNG: $(file -b "$png")"
    elif [ "$(convert "$png" -format '%[fx:p{0,0}.a] %[fx:p{w-1,h-1}.a]' info:)" != "0 0" ]; then
        fail "the ${size}px icon's corners are not transparent like the other sizes'"
    fi
done
svg=$prefix/share/icons/hicolor/scalable/apps/$icon.svg
if [ ! -f "$svg" ]; then
    fail "no scalable icon at ${svg#$scratch/}"
elif ! file "$svg" | grep -q "SVG Scalable Vector Graphics image"; then
    fail "${svg#$scratch/} is not an SVG picture: $(file -b "$svg")"
fi

grep -q "<id>$id</id>" "$metainfo" || fail "the metadata's ID is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
    || fail "the metadata does not launch $id.desktop"
grep -q "<binary>$command</binary>" "$metainfo" || fail "the metadata does not provide '$command'"

manpage=$prefix/share/man/man1/$command.1.gz
if [ ! -f "$manpage" ]; then
    fail "no manual page at ${manpage#$scratch/}"
elif command -v man >/dev/null; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$manpage" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "the manual page does not read cleanly: $warnings"
fi
[ $failed -eq 0 ] || exit 1

# Start the menu entry's command with the installed bin/ first on the PATH, in a session of
# its own: the single-instance lock and the settings go to scratch folders.
mkdir -p "$scratch/runtime" "$scratch/config"
chmod 0700 "$scratch/runtime"
cat >"$scratch/session.sh" <<'SESSION'
#!/bin/bash
"$@" >"$SMOKE_LOG" 2>&1 &
pid=$!
window=$(timeout "$SMOKE_TIMEOUT" xdotool search --sync --onlyvisible --name '^Tressora v1\.0$' | head -n 1)
status=0
if [ -z "$window" ]; then
    echo "FAIL: no window 'Tressora v1.0' was mapped within $SMOKE_TIMEOUT s"
    status=1
else
    owner=$(xdotool getwindowpid "$window" 2>/dev/null)
    exe=$(readlink "/proc/$pid/exe")
    echo "window $window mapped by process $owner ($exe)"
    [ "$owner" = "$pid" ] || { echo "FAIL: the window belongs to process '$owner', not to $pid"; status=1; }
    [ "$exe" = "$SMOKE_EXPECTED" ] || { echo "FAIL: the running program is $exe, not $SMOKE_EXPECTED"; status=1; }
    # Docks and task bars match the window to its menu entry through its class.
    wm_class=$(xprop -id "$window" WM_CLASS)
    echo "$wm_class"
    if ! grep -qF "\"$SMOKE_WMCLASS\"" <<<"$wm_class"; then
        echo "FAIL: the window's class is not the menu entry's StartupWMClass '$SMOKE_WMCLASS'"
        status=1
    fi
fi
if ! kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: the program has already ended"
    status=1
fi
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit $status
SESSION
chmod +x "$scratch/session.sh"

# A display number of its own, away from the usual :99, keeps parallel X servers apart.
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u TRESSORA_PROGRAM \
    PATH="$prefix/bin:/usr/bin:/bin" \
    XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$scratch/config" \
    SMOKE_LOG="$scratch/program.log" SMOKE_TIMEOUT="$timeout_s" SMOKE_WMCLASS="$wmclass" \
    SMOKE_EXPECTED="$(readlink -f "$prefix/bin/$command")" \
    xvfb-run -a -n $((200 + RANDOM % 600)) -e "$scratch/xvfb.log" -s "-screen 0 1280x900x24" \
    "$scratch/session.sh" $exec_line
status=$?
if [ $status -ne 0 ]; then
    [ -s "$scratch/program.log" ] && { echo "program output:"; cat "$scratch/program.log"; }
    [ -s "$scratch/xvfb.log" ] && { echo "X server log:"; cat "$scratch/xvfb.log"; }
    fail "the installed program did not come up"
fi
[ $failed -eq 0 ] && echo "PASS: the installed program starts from its menu entry"
exit $failed
