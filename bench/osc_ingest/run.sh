#!/bin/sh
# Builds and runs the oscilloscope ingest benchmark under Xvfb three times:
# the drawing the page chooses on this display, traces drawn with OpenGL
# (forced, also on a software rasterizer), and a display without OpenGL.
# Usage: bench/osc_ingest/run.sh [build-dir]   (default: build-bench)
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target osc_ingest_bench >/dev/null
bench="$build/bench/osc_ingest/osc_ingest_bench"
screen="-screen 0 1280x1024x24"
echo "run=chosen"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "$screen +extension GLX" "$bench" 2>/dev/null
echo "run=opengl"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "$screen +extension GLX" "$bench" --opengl 2>/dev/null
echo "run=no_opengl"
QT_QPA_PLATFORM=xcb QT_XCB_GL_INTEGRATION=none xvfb-run -a -s "$screen" "$bench" 2>/dev/null
