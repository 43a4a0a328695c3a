#!/bin/sh
# Builds and runs the GSM close benchmark under Xvfb.
# Usage: bench/gsm_close/run.sh [build-dir]   (default: build-bench)
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target gsm_close_bench >/dev/null
QT_QPA_PLATFORM=xcb exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/gsm_close/gsm_close_bench" 2>/dev/null
