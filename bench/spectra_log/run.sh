#!/bin/sh
# Builds and runs the Spectra log benchmark under Xvfb: 200 000 channel
# lines through a pty into the real "Spectra" page; prints the log's block
# count, whether the newest line is last, and resident memory on the way.
# Usage: bench/spectra_log/run.sh [build-dir]   (default: build-bench)
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target spectra_log_bench >/dev/null
QT_QPA_PLATFORM=xcb exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/spectra_log/spectra_log_bench" 2>/dev/null
