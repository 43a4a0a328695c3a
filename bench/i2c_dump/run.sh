#!/bin/sh
# Builds and runs the i2cdump reply benchmark under Xvfb.
# Usage: bench/i2c_dump/run.sh [build-dir]   (default: build-bench)
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target i2c_dump_bench >/dev/null
QT_QPA_PLATFORM=xcb exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/i2c_dump/i2c_dump_bench" 2>/dev/null
