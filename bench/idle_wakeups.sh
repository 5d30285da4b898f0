#!/bin/bash
# Counts how often the program wakes up while the editor sits idle: starts
# it on a virtual display with fresh settings, answers No to the offer of the
# last board, then sums the context switches of all its threads over a span.
# Prints figures only; never fails on them.
#
# usage: bench/idle_wakeups.sh [BUILD_DIR] [SECONDS]
set -u
BUILD=${1:-build}
SPAN=${2:-10}
BIN=$BUILD/app/plakora
DISPLAY_NO=${IDLE_BENCH_DISPLAY:-:64}

for tool in Xvfb xdotool; do
    if ! command -v $tool >/dev/null; then
        echo "idle_wakeups: $tool is missing, nothing measured"
        exit 0
    fi
done
if [ ! -x "$BIN" ]; then
    echo "idle_wakeups: no program at $BIN, nothing measured"
    exit 0
fi

export DISPLAY=$DISPLAY_NO
XVFB_PID=
if ! xdotool getmouselocation >/dev/null 2>&1; then
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 &
    XVFB_PID=$!
    sleep 2
fi
CONFIG=$(mktemp -d)
XDG_CONFIG_HOME=$CONFIG "$BIN" >/dev/null 2>&1 &
PID=$!

cleanup() {
    kill $PID 2>/dev/null
    wait $PID 2>/dev/null
    [ -n "$XVFB_PID" ] && kill $XVFB_PID 2>/dev/null
    rm -rf "$CONFIG"
}
trap cleanup EXIT

question() {
    for w in $(xdotool search --pid $PID 2>/dev/null); do
        [ "$(xdotool getwindowname $w 2>/dev/null)" = Confirm ] && echo $w
    done
}
switches() {
    local kind=$1 total=0 n
    for f in /proc/$PID/task/*/status; do
        n=$(awk -v k="^$kind:" '$0 ~ k {print $2}' "$f" 2>/dev/null)
        total=$((total + ${n:-0}))
    done
    echo $total
}

sleep 4
BOX=$(question | head -1)
if [ -n "$BOX" ]; then
    xdotool windowfocus --sync "$BOX"
    sleep 0.5
    xdotool key alt+n
fi
sleep 3
STATE="editor idle"
[ -n "$(question)" ] && STATE="question box still up"

V0=$(switches voluntary_ctxt_switches)
N0=$(switches nonvoluntary_ctxt_switches)
sleep "$SPAN"
V1=$(switches voluntary_ctxt_switches)
N1=$(switches nonvoluntary_ctxt_switches)
echo "idle wake-ups ($STATE, $(ls /proc/$PID/task | wc -l) threads, ${SPAN}s):" \
    "voluntary $(((V1 - V0) / SPAN))/s, involuntary $(((N1 - N0) / SPAN))/s"
