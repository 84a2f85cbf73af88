#!/bin/sh
# Runs a command in a Wayland session without a screen: a headless weston on a socket of its own,
# with XWayland. Sets WAYLAND_DISPLAY (the socket's full path) and DISPLAY (XWayland's display,
# which weston starts on first use) for the command, waits until both answer, runs the command,
# then ends weston. The command's exit code is the script's.
#
#   with-weston.sh COMMAND [ARGUMENT...]
set -u
runtime=$(mktemp -d "${TMPDIR:-/tmp}/tressora-weston.XXXXXX") || exit 1
chmod 700 "$runtime"
socket=wayland-tressora
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --xwayland --socket=$socket \
    --width=1280 --height=1024 --idle-time=0 --log="$runtime/weston.log" >/dev/null 2>&1 &
weston_pid=$!

stop() {
    kill "$weston_pid" 2>/dev/null
    wait "$weston_pid" 2>/dev/null
    rm -rf "$runtime"
}

display=""
for _ in $(seq 1 200); do
    display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$runtime/weston.log" 2>/dev/null)
    [ -n "$display" ] && [ -S "$runtime/$socket" ] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    display=""
    sleep 0.05
done
# The first X client makes weston start XWayland; xdpyinfo waits for it.
if [ -z "$display" ] || ! DISPLAY=$display timeout 30 xdpyinfo >/dev/null 2>&1; then
    echo "with-weston.sh: weston with XWayland did not come up" >&2
    cat "$runtime/weston.log" >&2
    stop
    exit 1
fi
echo "weston on $runtime/$socket, XWayland on $display"

env -u QT_QPA_PLATFORM WAYLAND_DISPLAY="$runtime/$socket" DISPLAY="$display" "$@"
status=$?
stop
exit $status
