#!/usr/bin/env bash
# Installs what is missing, builds, and starts VELM.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
velm_install
velm_build build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting VELM on a virtual X display (Xvfb)."
  echo "To see it, run it on a desktop session, or attach a VNC viewer to the Xvfb display."
  velm_start_xvfb
  trap velm_stop_xvfb EXIT
  trap "exit 143" INT TERM
  export QT_QPA_PLATFORM=xcb
fi
exec_status=0
./build/velm "$@" || exec_status=$?
exit $exec_status
