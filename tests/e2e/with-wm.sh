#!/bin/sh
# Runs a command on $DISPLAY under a real window manager: starts it with a session bus of its own,
# waits until it has announced itself on the root window (_NET_SUPPORTING_WM_CHECK naming a
# window that carries _NET_WM_NAME), runs the command, then ends the window manager and its bus.
# The command's exit code is the script's.
#
#   with-wm.sh mutter|kwin|openbox COMMAND [ARGUMENT...]
set -u
wm=${1:?window manager}
shift
: "${DISPLAY:?no X display}"

eval "$(dbus-launch --sh-syntax)" || exit 1
log=$(mktemp "${TMPDIR:-/tmp}/tressora-wm.XXXXXX")
case "$wm" in
mutter) mutter --x11 --replace --sm-disable >"$log" 2>&1 & ;;
kwin) kwin_x11 --replace >"$log" 2>&1 & ;;
openbox) openbox --sm-disable >"$log" 2>&1 & ;;
*) echo "with-wm.sh: unknown window manager $wm" >&2; exit 2 ;;
esac
wm_pid=$!

stop() {
    kill "$wm_pid" 2>/dev/null
    wait "$wm_pid" 2>/dev/null
    kill "$DBUS_SESSION_BUS_PID" 2>/dev/null
    rm -f "$log"
}

ready=""
for _ in $(seq 1 600); do
    check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | awk '/window id/ {print $NF}')
    if [ -n "$check" ] && xprop -id "$check" _NET_WM_NAME 2>/dev/null | grep -q '"'; then
        ready=yes
        break
    fi
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.05
done
if [ -z "$ready" ]; then
    echo "with-wm.sh: $wm did not come up on $DISPLAY" >&2
    cat "$log" >&2
    stop
    exit 1
fi
echo "window manager: $(xprop -id "$check" _NET_WM_NAME | sed 's/.*= //')"

# The program under test must not find the window manager's session bus.
env -u DBUS_SESSION_BUS_ADDRESS -u DBUS_SESSION_BUS_PID "$@"
status=$?
stop
exit $status
