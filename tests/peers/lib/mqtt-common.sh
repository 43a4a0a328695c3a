# Helpers shared by the MQTT test peers (sourced, not run on its own).

# A free TCP port on the loopback interface.
mqtt_free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()'
}

# Makes a test CA and a server certificate for 127.0.0.1/localhost in
# <dir>, once: ca.crt, server.crt, server.key.
mqtt_make_certs() {
  local dir="$1"
  mkdir -p "$dir"
  [ -f "$dir/server.crt" ] && [ -f "$dir/ca.crt" ] && return 0
  openssl req -x509 -newkey rsa:2048 -nodes -days 30 -subj "/CN=VELM test CA" \
    -keyout "$dir/ca.key" -out "$dir/ca.crt" >/dev/null 2>&1
  openssl req -newkey rsa:2048 -nodes -subj "/CN=localhost" \
    -keyout "$dir/server.key" -out "$dir/server.csr" >/dev/null 2>&1
  printf 'subjectAltName=IP:127.0.0.1,DNS:localhost\nbasicConstraints=CA:FALSE\nkeyUsage=digitalSignature,keyEncipherment\nextendedKeyUsage=serverAuth\n' \
    > "$dir/server.ext"
  openssl x509 -req -in "$dir/server.csr" -CA "$dir/ca.crt" -CAkey "$dir/ca.key" -CAcreateserial \
    -days 30 -extfile "$dir/server.ext" -out "$dir/server.crt" >/dev/null 2>&1
  chmod 644 "$dir"/*.crt "$dir"/*.key
}

# Waits until a loopback TCP port accepts connections (at most ~10 s).
mqtt_wait_port() {
  local port="$1" i
  for i in $(seq 1 100); do
    if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      return 0
    fi
    sleep 0.1
  done
  return 1
}
