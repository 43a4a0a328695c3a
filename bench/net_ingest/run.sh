#!/bin/sh
# Builds and runs the network ingest benchmark under Xvfb: the throughput
# cases and UDP in one process, then "random", "cjk" and "gbk" each in a
# process of its own (their point is glyphs the window has never drawn).
# Usage: bench/net_ingest/run.sh [build-dir]   (default: build-bench)
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target net_ingest_bench >/dev/null
run() {
  QT_QPA_PLATFORM=xcb NET_INGEST_CASES="$1" xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/bench/net_ingest/net_ingest_bench" 2>/dev/null
}
run ""
run random
run cjk
run gbk
