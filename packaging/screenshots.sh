#!/bin/bash
# screenshots.sh PROGRAM OUTDIR [LANGUAGE]
# Drives the real program under a virtual X server, the way a user would, and saves a picture
# of each of its three main windows to OUTDIR: quiz.png (answers filled in), result.png (after
# "Calculate My Hair Loss") and refer-a-friend.png (after File > Exit). Ends by pressing the
# farewell window's Exit button (Alt+X) and checks that the program then ends.
# With a LANGUAGE (de, fr, es) the program runs in that language and only the quiz window is
# taken, as quiz-LANGUAGE.png; the program is then stopped.
# SHOT_PREFIX, when set, goes before each file name (windows-quiz.png for the Windows program,
# started under Wine by a PROGRAM such as tools/windows/wine-program.sh). With SHOT_QUIZ_ONLY set,
# only the quiz window is taken, as it first shows.
# Needs xvfb, xauth, xdotool and imagemagick.
set -eu
usage='usage: screenshots.sh PROGRAM OUTDIR [LANGUAGE]'
program=$(readlink -f "${1:?$usage}")
out=$(mkdir -p "${2:?$usage}" && cd "$2" && pwd)
language=${3:-}
if [ -n "$language" ]; then
    locale_env=(LANG="${language}_$(echo "$language" | tr a-z A-Z).UTF-8" LANGUAGE="$language"
                LC_ALL= LC_MESSAGES=)
    quiz_shot=${SHOT_PREFIX:-}quiz-$language.png
else
    locale_env=(LANG=C.UTF-8 LANGUAGE= LC_ALL= LC_MESSAGES=)
    quiz_shot=${SHOT_PREFIX:-}quiz.png
fi
[ -x "$program" ] || { echo "not a program: $program" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/runtime" "$scratch/config"
chmod 0700 "$scratch/runtime"

cat >"$scratch/session.sh" <<'SESSION'
#!/bin/bash
set -eu
title='^Tressora v1\.0$'
"$PROGRAM" >"$SCRATCH/program.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

# Waits for a visible program window other than those named and prints its id. (Without a
# window manager, Wine can leave a hidden window mapped: each window already taken is named.)
next_window() {
    local deadline=$((SECONDS + 20)) id
    while [ $SECONDS -lt $deadline ]; do
        kill -0 $pid 2>/dev/null || { echo "the program ended early" >&2; cat "$SCRATCH/program.log" >&2; return 1; }
        for id in $(xdotool search --onlyvisible --name "$title" 2>/dev/null); do
            case " $* " in *" $id "*) ;; *) echo "$id"; return 0 ;; esac
        done
        sleep 0.2
    done
    echo "no new window '$title' appeared" >&2
    return 1
}

# Saves window $1 as $2, with the mouse pointer parked outside it and the window painted.
shoot() {
    xdotool mousemove 0 0
    sleep 0.8
    import -window "$1" -strip -define png:exclude-chunks=date,time "$OUT/$2"
    echo "saved $OUT/$2 ($(identify -format '%wx%h' "$OUT/$2"))"
}

focus() { xdotool windowfocus --sync "$1"; sleep 0.3; }

# Quiz window: 35 years old, moderate stress, father bald, receding hairline. The focus starts
# on the hidden Exit button; Tab walks to the stress, sex and age lists in turn.
quiz=$(next_window none)
focus "$quiz"
if [ -n "$QUIZ_ONLY" ]; then
    shoot "$quiz" "$QUIZ_SHOT"
    kill $pid; wait $pid 2>/dev/null || true
    exit 0
fi
xdotool key Tab; sleep 0.2
xdotool key Down Down Down; sleep 0.2
xdotool key Tab Tab; sleep 0.2
xdotool type --delay 60 35; sleep 0.6
# Client-area positions come from the window's fixed layout; the menu bar lies above it.
eval "$(xdotool getwindowgeometry --shell "$quiz")"
menubar=$((HEIGHT - 555))
xdotool mousemove --window "$quiz" 183 $((menubar + 115)) click 1; sleep 0.2 # father
xdotool mousemove --window "$quiz" 433 $((menubar + 324)) click 1; sleep 0.2 # stage 2
shoot "$quiz" "$QUIZ_SHOT"
if [ -n "$LANGUAGE" ]; then
    kill $pid; wait $pid 2>/dev/null || true
    exit 0
fi

# "Calculate My Hair Loss" replaces the quiz window with the result window.
xdotool mousemove --window "$quiz" 522 $((menubar + 436)) click 1
result=$(next_window "$quiz")
shoot "$result" "${SHOT_PREFIX}result.png"

# File > Exit closes the result window; the refer-a-friend window follows.
focus "$result"
xdotool key alt+f; sleep 0.5
xdotool key x
farewell=$(next_window "$quiz" "$result")
shoot "$farewell" "${SHOT_PREFIX}refer-a-friend.png"

# Its Exit button ends the program.
focus "$farewell"
xdotool key alt+x
for _ in $(seq 50); do
    kill -0 $pid 2>/dev/null || { wait $pid || true; echo "the program ended after Exit"; exit 0; }
    sleep 0.2
done
echo "the program still runs after the farewell window's Exit" >&2
exit 1
SESSION
chmod +x "$scratch/session.sh"

# A display number of its own, away from the usual :99, keeps parallel X servers apart.
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u QT_SCALE_FACTOR \
    XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$scratch/config" "${locale_env[@]}" \
    PROGRAM="$program" OUT="$out" SCRATCH="$scratch" QUIZ_SHOT="$quiz_shot" \
    SHOT_PREFIX="${SHOT_PREFIX:-}" QUIZ_ONLY="${SHOT_QUIZ_ONLY:-}" \
    xvfb-run -a -n $((200 + RANDOM % 600)) -e "$scratch/xvfb.log" \
    -s "-screen 0 1280x900x24 -dpi 96" "$scratch/session.sh" \
    || { status=$?; echo "X server log:" >&2; cat "$scratch/xvfb.log" >&2; exit $status; }
