# Shared pieces of the script benchmarks (sourced, not run). The caller sets root, build, work
# (empty: a temporary folder removed at the end) and the name its messages begin with.

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }

# Makes the work folder absolute, copies the programs into it (a rebuild during the run must not
# change what is measured) and stops the store server and removes a temporary work folder at exit.
# Sets cli, generator and shared_fixtures.
bench_prepare() {
  local name=$1
  build=$(cd "$build" && pwd)
  shared_fixtures=${QUARVEL_SHARED_FIXTURES:-$root/../shared/fixtures}
  bench_remove_work=0
  if [ -z "$work" ]; then
    work=$(mktemp -d "/tmp/quarvel-$name-XXXXXX")
    bench_remove_work=1
  fi
  mkdir -p "$work"
  work=$(cd "$work" && pwd)
  mkdir -p "$work/bin"
  cp "$build/cli/quarvel-cli" "$build/bench/catalogue_generator/quarvel-catalogue-generator" "$work/bin/"
  cli=$work/bin/quarvel-cli
  generator=$work/bin/quarvel-catalogue-generator
  trap bench_cleanup EXIT
}

bench_cleanup() {
  "$root/scripts/mariadb-test-server" stop "$work/server" >/dev/null 2>&1 || true
  if [ "$bench_remove_work" = 1 ]; then rm -rf "$work"; fi
}

# Starts the private store server in work/server; sets port and client (the MariaDB client on it).
bench_start_server() {
  "$root/scripts/mariadb-test-server" start "$work/server"
  port=$(cat "$work/server/port")
  client=(mariadb --no-defaults --protocol=TCP --host=127.0.0.1 --port="$port" --user=root)
}

# Creates a PrestaShop 1.6 store database with the rows of a fresh shop and this system's tables.
bench_create_store() {
  "${client[@]}" -e "CREATE DATABASE \`$1\` CHARACTER SET utf8 COLLATE utf8_general_ci"
  cat "$shared_fixtures/prestashop-1.6/schema.sql" "$shared_fixtures/prestashop-1.6/minimal-data.sql" \
    "$root/tests/fixtures/system_tables.sql" | "${client[@]}" "$1"
}

# The SQLite ODBC driver library, and an ODBC configuration of the work folder's own.
bench_odbc() {
  driver=$(dpkg -L libsqliteodbc 2>/dev/null | grep -m1 'libsqlite3odbc\.so$' || true)
  [ -n "$driver" ] || { echo "$1: the SQLite ODBC driver (libsqliteodbc) is missing" >&2; exit 1; }
  mkdir -p "$work/odbc"
  export ODBCSYSINI=$work/odbc ODBCINI=$work/odbc/odbc.ini
}
