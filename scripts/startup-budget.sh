#!/bin/sh
# CPU time and peak memory of starting the program on a folder of 100 000 files, until it
# is idle with the list shown. Budget: at most 1 s of CPU and 150 MiB.
# Usage: scripts/startup-budget.sh [build/quorix] [runs]
# Runs a copy of the program beside a fresh settings file, on a drive C: in a temporary
# folder, so nothing of the user's is read or written.
set -eu
BIN=$(readlink -f "${1:-build/quorix}")
RUNS=${2:-3}
D=$(mktemp -d)
PID=
trap '[ -n "$PID" ] && kill "$PID" 2>/dev/null; rm -rf "$D"' EXIT
mkdir -p "$D/c/BIG" "$D/prog"
cd "$D/c/BIG"
for e in txt cpp h jpg png pdf doc xls zip mp3 html md json xyz log csv; do
    seq -f "Data File_%06g.$e" 1 6250
done | xargs touch
seq -f "folder %03g" 1 300 | xargs -d '\n' mkdir
cd - >/dev/null
cp "$BIN" "$D/prog/quorix"
export QUORIX_DRIVES="C=$D/c" XDG_RUNTIME_DIR="$D" QT_QPA_PLATFORM=offscreen
TICK=$(getconf CLK_TCK)

# utime + stime of all threads, in clock ticks.
ticks() { awk '{ print $14 + $15 }' /proc/"$PID"/stat; }

for run in $(seq 1 "$RUNS"); do
    printf '[Main]\r\nDirPath=C:\\BIG\r\nFileMask=*.*\r\n' > "$D/prog/quorix.INI"
    "$D/prog/quorix" 2>/dev/null &
    PID=$!
    # Idle: no CPU used over half a second, twice in a row.
    last=-1
    quiet=0
    while [ "$quiet" -lt 2 ]; do
        sleep 0.5
        now=$(ticks)
        if [ "$now" = "$last" ]; then quiet=$((quiet + 1)); else quiet=0; fi
        last=$now
    done
    hwm=$(awk '/VmHWM/ { print $2 }' /proc/"$PID"/status)
    awk -v r="$run" -v t="$last" -v hz="$TICK" -v m="$hwm" 'BEGIN {
        printf "run %d: CPU until idle %.2f s, peak memory %d MiB\n", r, t / hz, m / 1024 }'
    kill "$PID"
    wait "$PID" 2>/dev/null || true
    PID=
done
