#!/bin/sh
# Hex compare page benchmark: two 64 MiB erased images with 1% of the rows
# differing. Builds the bench program, then prints one line of figures.
#   BUILD_DIR   build directory (default: build-bench-hex under the repo)
set -e
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BUILD_DIR:-$root/build-bench-hex}
mkdir -p "$build"
log="$build/hex_compare_build.log"
if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release &&
       cmake --build "$build" --target hex_compare_bench; } >"$log" 2>&1; then
    tail -40 "$log" >&2
    echo "hex_compare: build failed (log: $log)" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
QT_QPA_PLATFORM=offscreen "$build/bench/hex_compare/hex_compare_bench" "$work"
