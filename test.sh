#!/usr/bin/env bash
# Installs what is missing, builds, starts the test peers (brokers, servers,
# a virtual display), runs every test, and stops the peers again.
#
#   ./test.sh              plain build in build/, fuzz targets, every test
#   ./test.sh --sanitize   clang build with AddressSanitizer and UBSan in
#                          build-asan/, every test under them, halting at the
#                          first report; leaks with a frame of ours fail
#                          (tests/sanitize/). The fuzz targets are sanitized
#                          builds already and run with the plain mode.
set -euo pipefail
cd "$(dirname "$0")"
sanitize=0
for arg in "$@"; do
  case "$arg" in
    --sanitize) sanitize=1 ;;
    *) echo "usage: $0 [--sanitize]" >&2; exit 2 ;;
  esac
done
source scripts/setup.sh
velm_install test
if [ "$sanitize" = 1 ]; then
  BUILD_DIR=build-asan
  velm_build "$BUILD_DIR" -DVELM_SANITIZE=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
  tests/sanitize/check-sized-delete.sh "$BUILD_DIR"
else
  BUILD_DIR=build
  velm_build "$BUILD_DIR"
fi

export VELM_PEER_DIR="$(mktemp -d /tmp/velm-peers.XXXXXX)"
cleanup() {
  for p in tests/peers/*.sh; do
    [ -f "$p" ] && bash "$p" stop "$VELM_PEER_DIR" >/dev/null 2>&1 || true
  done
  velm_stop_xvfb
  rm -rf "$VELM_PEER_DIR"
}
trap cleanup EXIT
trap "exit 143" INT TERM

# The tests meet the same surroundings on every machine, whatever it has
# beside what scripts/setup.sh installs: a virtual display of their own
# (not a desktop's, whose OpenGL driver would be the machine's), no session
# bus (an address nothing listens on, so that none is found or started),
# and per-user and temporary directories that start empty and go with the
# run (Mesa's, Qt's and Qt 3D's shader caches, settings, runtime files,
# temporary files): nothing is read from an earlier run or left for a
# later one.
unset DISPLAY WAYLAND_DISPLAY
export DBUS_SESSION_BUS_ADDRESS="unix:path=$VELM_PEER_DIR/no-session-bus"
for d in cache config data runtime tmp; do
  mkdir -m 700 "$VELM_PEER_DIR/$d"
done
export XDG_CACHE_HOME="$VELM_PEER_DIR/cache" XDG_CONFIG_HOME="$VELM_PEER_DIR/config" \
       XDG_DATA_HOME="$VELM_PEER_DIR/data" XDG_RUNTIME_DIR="$VELM_PEER_DIR/runtime" \
       TMPDIR="$VELM_PEER_DIR/tmp"

velm_start_xvfb
export QT_QPA_PLATFORM=xcb

# Each peer script writes the variables the tests need into $VELM_PEER_DIR/env.
for p in tests/peers/*.sh; do
  [ -f "$p" ] || continue
  echo "Starting test peer $(basename "$p")"
  bash "$p" start "$VELM_PEER_DIR"
done
if [ -f "$VELM_PEER_DIR/env" ]; then
  set -a; source "$VELM_PEER_DIR/env"; set +a
fi

mkdir -p test-artifacts
export VELM_ARTIFACT_DIR="$PWD/test-artifacts"

status=0
# Fuzz targets: built with clang and run for a bounded time each.
if [ "$sanitize" = 0 ] && [ -x tests/fuzz/run.sh ]; then
  tests/fuzz/run.sh || status=$?
fi

(cd "$BUILD_DIR" && ctest --output-on-failure --timeout 600 -j "$(nproc)") || status=$?

exit $status
