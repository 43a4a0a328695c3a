#!/bin/sh
# Builds and runs the TOF frame benchmark under Xvfb: the time from a frame
# written to the pty until the grid, and then the 3D surface, is painted.
# Usage: bench/tof_frame/run.sh [build-dir]   (default: build-bench)
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target tof_frame_bench >/dev/null
QT_QPA_PLATFORM=xcb exec xvfb-run -a -s "-screen 0 1280x1024x24 +extension GLX" "$build/bench/tof_frame/tof_frame_bench" 2>/dev/null
