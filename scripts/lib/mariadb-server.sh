# Shared by the private MariaDB servers of the tests and the demo: start one on a free loopback
# port as the current user (root without systemd), never a system service.
# Callers set: dir (the server's folder: pid, server.log, tmp/), datadir, port (set by launch).

mariadb_client() { mariadb --no-defaults --protocol=TCP --host=127.0.0.1 --port="$port" --user=root "$@"; }

mariadb_free_port() {
  /usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

mariadb_install_datadir() {
  if ! mariadb-install-db --no-defaults --user=root --auth-root-authentication-method=normal \
      --datadir="$datadir" --skip-test-db >"$dir/install.log" 2>&1; then
    cat "$dir/install.log" >&2
    echo "mariadb-install-db failed" >&2
    return 1
  fi
}

mariadb_stop() {
  [ -f "$dir/pid" ] || return 0
  local pid
  pid=$(cat "$dir/pid")
  # Only ever end our own server: a stale pid file may name another process by now.
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && [ "$(ps -p "$pid" -o comm= 2>/dev/null)" = mariadbd ]; then
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 1 300); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
      kill -KILL "$pid" 2>/dev/null || true
      sleep 0.2
    fi
  fi
  rm -f "$dir/pid"
}

# mariadb_launch SOCKET [PORT]: starts mariadbd on PORT (a free one when empty); returns 1 when the
# server ended during start-up (the port may have been taken meanwhile), 2 when it did not answer.
mariadb_launch() {
  local socket=$1 server_pid
  port=${2:-$(mariadb_free_port)}
  mkdir -p "$dir/tmp"
  # Small buffers and no durability: these servers hold test and demo data only.
  # setsid and redirected streams: the server must not keep the caller's pipes open.
  setsid mariadbd --no-defaults --datadir="$datadir" --socket="$socket" --port="$port" \
    --bind-address=127.0.0.1 --user=root --pid-file="$dir/pid" --tmpdir="$dir/tmp" \
    --innodb-flush-log-at-trx-commit=0 --innodb-doublewrite=0 --skip-log-bin \
    --innodb-buffer-pool-size=64M --innodb-log-file-size=32M --innodb-flush-method=nosync \
    --innodb-file-per-table=0 --max-connections=200 --performance-schema=OFF \
    </dev/null >"$dir/server.log" 2>&1 &
  server_pid=$!
  echo "$server_pid" >"$dir/pid"
  for _ in $(seq 1 300); do
    mariadb_client -e "SELECT 1" >/dev/null 2>&1 && return 0
    kill -0 "$server_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  cat "$dir/server.log" >&2
  echo "the MariaDB server did not answer within 30 s" >&2
  mariadb_stop
  return 2
}

# A socket path must stay short (about 100 bytes); clients connect over TCP anyway.
mariadb_socket_path() {
  local socket="$dir/sock"
  [ ${#socket} -le 100 ] || socket=$(mktemp -u /tmp/quarvel-mariadb-XXXXXX.sock)
  echo "$socket"
}
