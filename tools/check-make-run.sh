#!/bin/bash
# check-make-run.sh: the README's `make run` as it is run on a machine without a screen
# (`xvfb-run -a make run`), in this checkout. Passes once the quiz window "Tressora v1.0" of the
# program that make built is on screen, then ends that program. The single-instance lock and the
# settings go to scratch folders, so a copy already running elsewhere does not count.
set -u
cd "$(dirname "$0")/.."
timeout_s=${TRESSORA_RUN_TIMEOUT:-300}
for tool in xvfb-run xdotool; do
    command -v $tool >/dev/null || { echo "FAIL: $tool is missing (make setup installs it)"; exit 1; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 0700 "$scratch/runtime"
mkdir "$scratch/config"
cat >"$scratch/session.sh" <<'SESSION'
#!/bin/bash
make run >"$RUN_LOG" 2>&1 &
make_pid=$!
deadline=$((SECONDS + RUN_TIMEOUT))
window=
while [ -z "$window" ]; do
    window=$(xdotool search --onlyvisible --name '^Tressora v1\.0$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    if ! kill -0 "$make_pid" 2>/dev/null; then
        wait "$make_pid"
        echo "FAIL: make run ended (status $?) without a window 'Tressora v1.0' on screen"
        exit 1
    fi
    if [ $SECONDS -ge $deadline ]; then
        echo "FAIL: make run put no window 'Tressora v1.0' on screen within $RUN_TIMEOUT s"
        kill "$make_pid" 2>/dev/null
        exit 1
    fi
    sleep 0.5
done
pid=$(xdotool getwindowpid "$window")
exe=$(readlink "/proc/$pid/exe")
kill "$pid"
wait "$make_pid"
[ "$exe" = "$RUN_EXPECTED" ] || { echo "FAIL: the window is $exe's, not $RUN_EXPECTED's"; exit 1; }
echo "PASS: make run started $exe; its window is on screen"
SESSION
chmod +x "$scratch/session.sh"

env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY \
    XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$scratch/config" \
    RUN_LOG="$scratch/make-run.log" RUN_TIMEOUT="$timeout_s" \
    RUN_EXPECTED="$(readlink -f "${BUILD:-build}")/tressora" \
    xvfb-run -a -e "$scratch/xvfb.log" -s "-screen 0 1280x900x24" "$scratch/session.sh"
status=$?
if [ $status -ne 0 ]; then
    echo "make run's output, its end:"
    tail -n 30 "$scratch/make-run.log"
fi
exit $status
