#!/usr/bin/env bash
# Installs what is missing (Debian packages, npm packages), then configures
# and builds into build/. Sourced by run.sh and test.sh.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

APT_PACKAGES=(
  cmake ninja-build g++ pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-websockets-dev qt6-connectivity-dev
  qt6-charts-dev qt6-datavisualization-dev qt6-3d-dev qt6-svg-dev qt6-webengine-dev
  qt6-5compat-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libqt6opengl6-dev libgl-dev
  libqt6svg6 qt6-image-formats-plugins
  fonts-wqy-microhei qt6-translations-l10n
  xvfb xauth x11-utils imagemagick
)
TEST_PACKAGES=(
  socat mosquitto mosquitto-clients openssl libmodbus-dev mbpoll units
  clang libclang-rt-14-dev llvm-14 python3 procps
  python3-nmea2 proj-bin geographiclib-tools locales
)

need_install() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

velm_install() {
  need_install "${APT_PACKAGES[@]}"
  # Node.js may come from elsewhere than Debian; only install it when absent.
  if ! command -v npm >/dev/null 2>&1; then
    need_install nodejs npm
  fi
  if [ "${1:-}" = "test" ]; then
    need_install "${TEST_PACKAGES[@]}"
  fi
  # Pinned web assets (and the test broker) from the lock file.
  if [ ! -d node_modules ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    npm ci --no-audit --no-fund --loglevel=error
  fi
}

# velm_build [DIR [CMAKE-ARGS...]]: the arguments after DIR are given to
# cmake when DIR is first configured (./test.sh --sanitize uses them).
velm_build() {
  local dir="${1:-build}"
  [ $# -gt 0 ] && shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  fi
  cmake --build "$dir" --parallel "$(nproc)"
}

# Starts an Xvfb on a free display unless one is already there; sets DISPLAY.
# The server picks the display itself and tells it through a descriptor: a
# lock file left by a killed run, or a server of another root that shares
# this machine's socket names, is then never taken for ours.
velm_start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local told n
  told=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$told" >/dev/null 2>&1 &
  VELM_XVFB_PID=$!
  for _ in $(seq 1 100); do
    n=$(tr -dc '0-9' <"$told")
    if [ -n "$n" ]; then
      export DISPLAY=":$n"
      if xdpyinfo >/dev/null 2>&1; then
        rm -f "$told"
        return 0
      fi
    fi
    kill -0 "$VELM_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$told"
  kill "$VELM_XVFB_PID" 2>/dev/null || true
  echo "Could not start Xvfb" >&2
  return 1
}

velm_stop_xvfb() {
  if [ -n "${VELM_XVFB_PID:-}" ]; then
    kill "$VELM_XVFB_PID" 2>/dev/null || true
    wait "$VELM_XVFB_PID" 2>/dev/null || true
  fi
}
