#!/usr/bin/env bash
# Runs every benchmark once against a release build and reports the table, on the standard
# output and in docs/performance.md (between the results markers). Needs an X display: run it
# under one xvfb-run, as `make bench` does.
#
#   bench/run-bench.sh BUILD_DIR [RUNS]
#
# BUILD_DIR holds tressora, contentfloor, floor, startbench, calcbench and scorebench (cmake -S bench).
# RUNS is how often each program is started (15 at least; default 15).
set -euo pipefail

build=$(cd "${1:?usage: run-bench.sh BUILD_DIR [RUNS]}" && pwd)
runs=${2:-15}
here=$(cd "$(dirname "$0")" && pwd)
doc="$here/../docs/performance.md"
[ "$runs" -ge 15 ] || { echo "run-bench.sh: at least 15 runs per program" >&2; exit 2; }
[ -n "${DISPLAY:-}" ] || { echo "run-bench.sh: no X display; run under xvfb-run" >&2; exit 2; }

# The programs keep their settings and their lock in places of their own, never the user's.
# The lock goes where a desktop session keeps it, in memory (/run/user/<uid> is a tmpfs), so
# that the disk under the build tree does not time its flush.
home="$build/bench-home"
rm -rf "$home" && mkdir -p "$home/config"
if runtime=$(mktemp -d /dev/shm/tressora-bench.XXXXXX 2>/dev/null); then :; else
    runtime="$home/runtime" && mkdir -p "$runtime"
fi
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb
unset TRESSORA_BENCH_FIRST_PAINT

results="$build/bench-results.txt"
: >"$results"

# startup CASE [VARIABLE=VALUE...]: the three programs started alternately, $runs times each,
# with the environment of that case; the lines go to $build/bench-startup-CASE.txt.
startup() {
    local name=$1
    shift
    echo "== start-up, $name: $runs runs each, alternating (log: $build/bench-startup-$name.log)" >&2
    env "$@" "$build/startbench" --runs "$runs" --warmup 1 --settle-ms 250 --title "Tressora v1.0" \
        --log "$build/bench-startup-$name.log" --remove "$runtime/tressora.lock" \
        quiz="$build/tressora" content="$build/contentfloor" floor="$build/floor" \
        >"$build/bench-startup-$name.txt"
}
startup plain LANG=C.UTF-8
startup german LANG=de_DE.UTF-8 LANGUAGE=de
# A desktop session runs the accessibility bus, and Qt then builds its accessibility tree for
# every window (QT_LINUX_ACCESSIBILITY_ALWAYS_ON stands for the session's switch, which a desktop
# turns on through the bus's status properties). A private session bus holds it.
export -f startup
export build runs runtime
a11y_bus=$(command -v at-spi-bus-launcher || echo /usr/libexec/at-spi-bus-launcher)
dbus-run-session -- bash -c '
    "$0" --launch-immediately & launcher=$!
    for _ in $(seq 1 100); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true && break
        sleep 0.05
    done
    startup accessibility LANG=C.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    kill $launcher' "$a11y_bus"
cat "$build"/bench-startup-*.txt >>"$results"

echo "== calculate and back: 1,000 timed, 10,000 soaked (log: $build/bench-calculate.log)" >&2
"$build/calcbench" --timed 1000 --soak 10000 >>"$results" 2>"$build/bench-calculate.log"
echo "== scoring rules" >&2
"$build/scorebench" --sweeps 200 >>"$results"

# get KIND KEY [NAME] [FILE]: the value of KEY=... on the result line of that kind (and name).
get() {
    awk -v kind="$1" -v key="$2" -v name="${3:-}" '
        $1 == kind && (name == "" || $2 == name) {
            for (i = 2; i <= NF; i++) { n = index($i, "="); if (substr($i, 1, n - 1) == key) print substr($i, n + 1) }
        }' "${4:-$results}"
}
calc() { awk "BEGIN { printf \"$1\", $2 }"; }
verdict() { awk "BEGIN { print (($1) ? \"yes\" : \"**no**\") }"; }

# One block of the start-up table per case: the program against the content floor (the goal)
# and against the bare floor (for information).
startup_rows() { # CASE LABEL
    local file="$build/bench-startup-$1.txt" label=$2 k q c f what
    for k in map paint; do
        q=$(get startup $k-ms quiz "$file") c=$(get startup $k-ms content "$file")
        f=$(get startup $k-ms floor "$file")
        what="start to window mapped"
        [ $k = paint ] && what="start to first paint done"
        echo "| $label: $what (median of $runs) | $q ms | $c ms | $f ms | $(calc %.2f× "$q / $c") | $(calc %.2f× "$q / $f") | $(calc %+.1f "$q - $c") ms | at most 1.05× content | $(verdict "$q <= 1.05 * $c") |"
    done
    q=$(get startup cpu-ms quiz "$file") c=$(get startup cpu-ms content "$file")
    f=$(get startup cpu-ms floor "$file")
    echo "| $label: processor time until then | $q ms | $c ms | $f ms | $(calc %.2f× "$q / $c") | $(calc %.2f× "$q / $f") | $(calc %+.1f "$q - $c") ms | for information | |"
    q=$(get startup rss-kib quiz "$file") c=$(get startup rss-kib content "$file")
    f=$(get startup rss-kib floor "$file")
    echo "| $label: resident memory, window up | $(calc %.1f "$q / 1024") MiB | $(calc %.1f "$c / 1024") MiB | $(calc %.1f "$f / 1024") MiB | | | $(calc %+.1f "($q - $c) / 1024") MiB | at most content + 1 MiB | $(verdict "$q - $c <= 1024") |"
}

c_median=$(get calculate median-ms) c_p99=$(get calculate p99-ms) c_first=$(get calculate first-ms)
c_max=$(get calculate max-ms)
s_rss0=$(get soak rss-start-kib) s_rss1=$(get soak rss-end-kib)
s_obj0=$(get soak objects-start) s_obj1=$(get soak objects-end)
s_left=$(get soak result-windows-left-over)
ns=$(get scoring median-ns) answers=$(get scoring answers)
growth=$((s_rss1 - s_rss0))

table=$(cat <<EOF
| Start-up | Tressora | Content floor | Bare floor | Tressora / content | Tressora / bare | Tressora adds | Goal | Met |
|---|---:|---:|---:|---:|---:|---:|---|---|
$(startup_rows plain "Plain")
$(startup_rows accessibility "Accessibility bus")
$(startup_rows german "German")

| Measure | Tressora | | Goal | Met |
|---|---:|---|---|---|
| Calculate to result painted, median of 1,000 | $c_median ms | | for information | |
| Calculate to result painted, 99th percentile | $c_p99 ms | first press $c_first ms, slowest $c_max ms | at most 16.7 ms | $(verdict "$c_p99 <= 16.7") |
| Resident growth over 10,000 calculations | $(printf %+d "$growth") KiB | $s_rss0 to $s_rss1 KiB | at most 256 KiB | $(verdict "$growth <= 256") |
| Live QObjects before and after them | $s_obj0 to $s_obj1 | result windows left over: $s_left | the same | $(verdict "$s_obj0 == $s_obj1 && $s_left == 0") |
| Scoring, all $answers answer combinations | $ns ns per answer | | for information | |
EOF
)

cpu=$(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')
mem=$(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
qt=$(pkg-config --modversion Qt6Core 2>/dev/null || echo unknown)
machine="$(nproc) processors ($cpu), $mem memory, Linux $(uname -r), Qt $qt, Xvfb; load average \
before the run $(cut -d' ' -f1-3 /proc/loadavg); $(date -u +%Y-%m-%d) UTC"

block=$(printf '%s\n\n%s\n\n%s\n' "<!-- results:begin (written by bench/run-bench.sh) -->" \
    "Machine: $machine." "$table")
block="$block
<!-- results:end -->"

echo
echo "Machine: $machine"
echo
echo "$table"

if [ -f "$doc" ] && grep -q '<!-- results:begin' "$doc"; then
    BLOCK="$block" awk '
        /<!-- results:begin/ { print ENVIRON["BLOCK"]; skip = 1; next }
        /<!-- results:end/ { skip = 0; next }
        !skip' "$doc" >"$doc.new" && mv "$doc.new" "$doc"
else
    printf '\n## Latest results\n\n%s\n' "$block" >>"$doc"
fi
echo
echo "Written to docs/performance.md; raw results in $results."
