#!/usr/bin/env bash
# Text box benchmark: long unbroken text pasted into the Base64, Unicode and
# Serial Debug boxes of the real window under Xvfb, and the Base64 and
# Unicode conversions of it. Prints one line per case and size:
#   case=<name> bytes=<int> ms=<int> ok=<0|1>
# Usage: bench/textbox/run.sh [build-dir]   (default: build)
# See runner.py for the environment variables that pick cases and sizes.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD="${1:-$ROOT/build}"
cd "$ROOT"
source scripts/setup.sh
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" --target textbox_bench >/dev/null
velm_start_xvfb
trap velm_stop_xvfb EXIT
trap "exit 143" INT TERM
export QT_QPA_PLATFORM=xcb
python3 "$ROOT/bench/textbox/runner.py" "$BUILD/bench/textbox/textbox_bench"
