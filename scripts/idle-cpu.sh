#!/bin/sh
# CPU time the program uses while it shows a quiet folder, and after one change in it.
# Usage: scripts/idle-cpu.sh [build/quorix] [offscreen|xvfb]
# Runs a copy of the program beside a fresh settings file, on a drive C: in a temporary
# folder, so nothing of the user's is read or written.
set -eu
BIN=$(readlink -f "${1:-build/quorix}")
MODE=${2:-offscreen}
D=$(mktemp -d)
trap 'rm -rf "$D"' EXIT
mkdir -p "$D/c/WATCHED" "$D/prog"
for i in $(seq 1 200); do echo x > "$D/c/WATCHED/f$i.txt"; done
cp "$BIN" "$D/prog/quorix"
printf '[Main]\r\nDirPath=C:\\WATCHED\r\nFileMask=*.*\r\n' > "$D/prog/quorix.INI"
export QUORIX_DRIVES="C=$D/c" XDG_RUNTIME_DIR="$D"

if [ "$MODE" = xvfb ]; then
    xvfb-run -a "$D/prog/quorix" 2>/dev/null &
    sleep 2
    PID=$(pgrep -f "^$D/prog/quorix" | head -1)
else
    QT_QPA_PLATFORM=offscreen "$D/prog/quorix" 2>/dev/null &
    PID=$!
fi
sleep 4 # start-up and first listing

# Seconds on the CPU, all threads together (schedstat counts nanoseconds).
cpu() { cat /proc/"$PID"/task/*/schedstat | awk '{ s += $1 } END { printf "%.4f", s / 1e9 }'; }

start=$(cpu)
echo "threads: $(ls /proc/"$PID"/task | wc -l), CPU until idle: $start s"
sleep 10
idle=$(cpu)
echo "CPU over 10 idle seconds: $(echo "$idle - $start" | bc -l) s"
echo y > "$D/c/WATCHED/new.txt"
sleep 2
echo "CPU for one change (wake, timer, re-read): $(echo "$(cpu) - $idle" | bc -l) s"
kill "$PID"
wait 2>/dev/null || true
