#!/bin/sh
# Runs every benchmark in the build folder; each prints its ratio to a reference run.
set -eu
dir=${1:-build}
for b in "$dir"/bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    echo "== $b"
    QT_QPA_PLATFORM=offscreen "$b"
done
