#!/usr/bin/env bash
# Upload throughput: the same exported script folder run into two fresh PrestaShop 1.6 databases
# on one private server, once by Quarvel (quarvel-cli upload, errors skipped) and once by the
# MariaDB command-line client (mariadb --force, one file after the other in the same order).
#   bench/upload/run.sh [--build DIR] [--work DIR] [--articles N] [--types N] [--links N]
# --build: the build folder holding cli/quarvel-cli and the catalogue generator (default: build);
# --work: where the catalogue, the scripts and the server live (default: a temporary folder,
# removed at the end). Prints both times, the failed statements of each run and the ratio.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build
work=
articles=50000
types=5000
links=25
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    --articles) articles=$2; shift 2 ;;
    --types) types=$2; shift 2 ;;
    --links) links=$2; shift 2 ;;
    -h|--help) sed -n '2,8p' "$0"; exit 0 ;;
    *) echo "bench-upload: unknown option $1" >&2; exit 2 ;;
  esac
done
# shellcheck source=../bench_common.sh
. "$root/bench/bench_common.sh"
bench_prepare bench-upload

echo "bench-upload: catalogue of $articles articles, $types types, $links links per article"
rm -f "$work/catalogue.sqlite"
"$generator" --out "$work/catalogue.sqlite" --articles "$articles" \
  --types "$types" --links-per-article "$links" >"$work/generator.log"

echo "bench-upload: starting the server"
bench_start_server

# Two identical stores.
for db in bench_quarvel bench_client; do bench_create_store "$db"; done

bench_odbc bench-upload
mkdir -p "$work/export"
rm -f "$work"/export/*.sql

write_settings() {  # FILE DATABASE
  printf '\xEF\xBB\xBF[ConToTD]\r\nDriver=%s\r\nDatabase=file:%s?mode=ro\r\nLogin=\r\nPass=\r\n' \
    "$driver" "$work/catalogue.sqlite" >"$1"
  printf '[ConToPresta]\r\nServer=127.0.0.1\r\nPort=%s\r\nDatabase=%s\r\nPrefix=ps_\r\nUser=root\r\nPass=\r\n' \
    "$port" "$2" >>"$1"
  printf '[ExportData]\r\nPath_to_data=%s\r\nExportOnCleanSystem=1\r\nExportAllData=1\r\n' "$work/export" >>"$1"
  printf '[ImportData]\r\nPath_to_data=%s\r\n' "$work/export" >>"$1"
}
mkdir -p "$work/quarvel" "$work/client"
write_settings "$work/quarvel/Quarvel.ini" bench_quarvel
write_settings "$work/client/Quarvel.ini" bench_client

echo "bench-upload: exporting"
start=$(now)
"$cli" --settings "$work/quarvel/Quarvel.ini" --yes export >"$work/export.log"
echo "bench-upload: export took $(elapsed "$start" "$(now)") s, $(find "$work/export" -name '*.sql' | wc -l) files," \
  "$(du -sh "$work/export" | cut -f1)"

# Both stores get the clean installation (every table for cleaning), which also adds the tag
# table's manufacturer column that the tag files' procedure header would add.
for side in quarvel client; do
  "$cli" --settings "$work/$side/Quarvel.ini" --yes clean-install --tables "$(seq -s, 0 30)" \
    >"$work/$side/clean-install.log"
done

# The client's copies: the same files in Quarvel's order (by name, case ignored), without the byte
# order mark and the procedure header line, which the client does not read as Quarvel does.
mapfile -t files < <(cd "$work/export" && find . -maxdepth 1 -name '*.sql' -printf '%f\n' | LC_ALL=C sort -f)
mkdir -p "$work/client/scripts"
for f in "${files[@]}"; do
  sed -e '1s/^\(\xEF\xBB\xBF\)*//' -e '1{/^drop procedure /Id}' "$work/export/$f" >"$work/client/scripts/$f"
done

echo "bench-upload: uploading with Quarvel"
start=$(now)
status=0
"$cli" --settings "$work/quarvel/Quarvel.ini" --yes upload --continue-on-error "$work/export" \
  >"$work/quarvel/upload.log" 2>&1 || status=$?
quarvel_time=$(elapsed "$start" "$(now)")
quarvel_failed=$(sed -n 's/.*failed statements: \([0-9]*\).*/\1/p' "$work/quarvel/upload.log" | tail -n 1)
[ -n "$quarvel_failed" ] || { tail -n 20 "$work/quarvel/upload.log" >&2; quarvel_failed="unknown (exit $status)"; }

echo "bench-upload: uploading with the MariaDB client"
: >"$work/client/errors.log"
start=$(now)
for f in "${files[@]}"; do
  "${client[@]}" --force --default-character-set=utf8mb4 --init-command="SET SESSION sql_mode=''" \
    bench_client <"$work/client/scripts/$f" 2>>"$work/client/errors.log" || true
done
client_time=$(elapsed "$start" "$(now)")
client_failed=$(grep -c '^ERROR ' "$work/client/errors.log" || true)

# Both runs must have left the same rows behind, or the times do not compare the same work.
counts() {
  "${client[@]}" -N -e "SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = '$1' ORDER BY 1" |
    while read -r table; do
      echo "$table $("${client[@]}" -N -e "SELECT COUNT(*) FROM \`$1\`.\`$table\`")"
    done
}
counts bench_quarvel >"$work/quarvel/counts.txt"
counts bench_client >"$work/client/counts.txt"
rows=$(awk '{ s += $2 } END { print s }' "$work/quarvel/counts.txt")

echo
echo "Scripts: ${#files[@]} files, $(du -sh "$work/export" | cut -f1), $rows rows in the store afterwards"
echo "Quarvel (quarvel-cli upload):  ${quarvel_time} s, failed statements: ${quarvel_failed}"
echo "MariaDB client (mariadb -f):  ${client_time} s, failed statements: ${client_failed}"
awk -v q="$quarvel_time" -v c="$client_time" 'BEGIN { printf "Ratio Quarvel / client: %.2f\n", q / c }'
if cmp -s "$work/quarvel/counts.txt" "$work/client/counts.txt"; then
  echo "Row counts of both stores: equal"
else
  echo "Row counts of both stores: DIFFERENT"
  diff "$work/quarvel/counts.txt" "$work/client/counts.txt" || true
  exit 1
fi
