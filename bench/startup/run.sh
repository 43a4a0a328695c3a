#!/usr/bin/env bash
# Start-up benchmark: starts the real program under Xvfb and prints
#   after_splash_ms=<int> rss_mb=<int> webengine_processes=<int>
# the time from the end of the three-second splash wait to the main window
# being shown, the program's resident memory at that moment, and the number
# of web-engine helper processes running half a second later (none until a
# page that needs the web engine is shown).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$ROOT"
source scripts/setup.sh
if [ ! -x build/velm ]; then
  velm_install
  velm_build build
fi
velm_start_xvfb
trap velm_stop_xvfb EXIT
trap "exit 143" INT TERM
export QT_QPA_PLATFORM=xcb
python3 "$ROOT/bench/startup/measure.py" "$ROOT/build/velm" "${1:-3}"
