#!/usr/bin/env bash
# Runs quarvel-bench-export-full against a private MariaDB server started for it and stopped after.
#   bench/export_full/run.sh BUILD_DIR [options of the benchmark, without --store-port]
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 BUILD_DIR [benchmark options]" >&2; exit 2; }
build=$1
shift
root=$(cd "$(dirname "$0")/../.." && pwd)
server=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-bench-store-XXXXXX")
trap '"$root/scripts/mariadb-test-server" stop "$server" || true' EXIT
"$root/scripts/mariadb-test-server" start "$server"
"$build/bench/export_full/quarvel-bench-export-full" --store-port "$(cat "$server/port")" "$@"
