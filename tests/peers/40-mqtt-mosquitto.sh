#!/usr/bin/env bash
# Test peer: mosquitto with three loopback listeners: plain (anonymous),
# TLS (test CA), and plain with a password file.
#   start <statedir>: writes VELM_MQTT_* lines to <statedir>/env
#   stop <statedir>
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/lib/mqtt-common.sh"
cmd="${1:-}"; state="${2:-}"
[ -n "$cmd" ] && [ -n "$state" ] || { echo "usage: $0 start|stop <statedir>" >&2; exit 2; }
dir="$state/mosquitto"

case "$cmd" in
start)
  MOSQ="$(command -v mosquitto || echo /usr/sbin/mosquitto)"
  mkdir -p "$dir"
  mqtt_make_certs "$state/mqtt-certs"
  plain=$(mqtt_free_port); tls=$(mqtt_free_port); auth=$(mqtt_free_port)
  rm -f "$dir/passwd"; touch "$dir/passwd"; chmod 600 "$dir/passwd"
  mosquitto_passwd -b "$dir/passwd" velm velm-secret >/dev/null
  cat > "$dir/mosquitto.conf" <<CONF
per_listener_settings true
persistence false
log_dest file $dir/mosquitto.log
log_type error
log_type warning
log_type notice
listener $plain 127.0.0.1
allow_anonymous true
listener $tls 127.0.0.1
allow_anonymous true
cafile $state/mqtt-certs/ca.crt
certfile $state/mqtt-certs/server.crt
keyfile $state/mqtt-certs/server.key
listener $auth 127.0.0.1
allow_anonymous false
password_file $dir/passwd
CONF
  [ "$(id -u)" -eq 0 ] && echo "user root" >> "$dir/mosquitto.conf"
  "$MOSQ" -c "$dir/mosquitto.conf" > "$dir/stdout.log" 2>&1 &
  echo $! > "$dir/pid"
  for p in $plain $tls $auth; do
    mqtt_wait_port "$p" || { echo "mosquitto did not start:" >&2; cat "$dir/stdout.log" "$dir/mosquitto.log" >&2 || true; exit 1; }
  done
  {
    echo "VELM_MQTT_HOST=127.0.0.1"
    echo "VELM_MQTT_PORT=$plain"
    echo "VELM_MQTT_TLS_PORT=$tls"
    echo "VELM_MQTT_AUTH_PORT=$auth"
    echo "VELM_MQTT_AUTH_USER=velm"
    echo "VELM_MQTT_AUTH_PASSWORD=velm-secret"
    echo "VELM_MQTT_CA=$state/mqtt-certs/ca.crt"
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
