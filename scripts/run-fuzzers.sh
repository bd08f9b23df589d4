#!/bin/sh
# Runs every fuzz target for a short while; a crash or hang fails the run.
set -eu
dir=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-30}
found=0
for f in "$dir"/fuzz_*; do
    [ -f "$f" ] && [ -x "$f" ] || continue
    found=1
    echo "== $f ($seconds s)"
    "$f" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048
done
[ "$found" = 1 ] || echo "no fuzz targets built"
