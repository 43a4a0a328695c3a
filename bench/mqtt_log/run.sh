#!/bin/sh
# Builds and runs the MQTT log benchmark under Xvfb: one 17 MB message into
# the MQTT page's log view (as lines of text, as one run without line
# feeds, and as Chinese text); prints how long it took to show and the
# worst lateness of a 10 ms timer meanwhile.
# Usage: bench/mqtt_log/run.sh [build-dir]   (default: build-bench)
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target mqtt_log_bench >/dev/null
QT_QPA_PLATFORM=xcb exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/mqtt_log/mqtt_log_bench" 2>/dev/null
