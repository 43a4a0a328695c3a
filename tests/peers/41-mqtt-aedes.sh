#!/usr/bin/env bash
# Test peer: aedes (from node_modules) over WebSocket, plain and TLS; the
# TLS certificate comes from the same test CA as the mosquitto peer's.
#   start <statedir>: writes VELM_MQTT_WS_PORT, VELM_MQTT_WSS_PORT (and
#                     VELM_MQTT_CA when the CA is new) to <statedir>/env
#   stop <statedir>
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/lib/mqtt-common.sh"
cmd="${1:-}"; state="${2:-}"
[ -n "$cmd" ] && [ -n "$state" ] || { echo "usage: $0 start|stop <statedir>" >&2; exit 2; }
dir="$state/aedes"

case "$cmd" in
start)
  mkdir -p "$dir"
  newca=0
  [ -f "$state/mqtt-certs/ca.crt" ] || newca=1
  mqtt_make_certs "$state/mqtt-certs"
  rm -f "$dir/ports"
  node "$HERE/mqtt-aedes-peer.js" "$state/mqtt-certs/server.crt" "$state/mqtt-certs/server.key" "$dir/ports" \
    > "$dir/aedes.log" 2>&1 &
  echo $! > "$dir/pid"
  for _ in $(seq 1 100); do
    [ -f "$dir/ports" ] && break
    kill -0 "$(cat "$dir/pid")" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -f "$dir/ports" ]; then
    echo "aedes did not start:" >&2; cat "$dir/aedes.log" >&2; exit 1
  fi
  read -r wsport wssport < "$dir/ports"
  {
    echo "VELM_MQTT_WS_PORT=$wsport"
    echo "VELM_MQTT_WSS_PORT=$wssport"
    if [ "$newca" -eq 1 ]; then echo "VELM_MQTT_CA=$state/mqtt-certs/ca.crt"; fi
  } >> "$state/env"
  ;;
stop)
  if [ -f "$dir/pid" ]; then
    kill "$(cat "$dir/pid")" 2>/dev/null || true
    rm -f "$dir/pid"
  fi
  ;;
*) echo "usage: $0 start|stop <statedir>" >&2; exit 2 ;;
esac
