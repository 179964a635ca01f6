#!/usr/bin/env bash
# Picture export throughput: a generated catalogue exported with "Images of sparts and logos to
# manufacturers" only, the pictures taken out of the catalogue's picture tables, then the converter
# scripts the export started (ImageMagick) timed until the last one ends.
#   bench/export_images/run.sh [--build DIR] [--work DIR] [--articles N] [--streams N] [--improved]
# --build: the build folder holding cli/quarvel-cli and the catalogue generator (default: build);
# --work: where the catalogue, the store server, the scripts and the pictures live (default: a
# temporary folder, removed at the end); --improved: the space-saving layout (one copy or
# conversion per picture) instead of the store's standard layout (one base file and one file per
# image type). Prints the export's and the picture stage's times, the pictures and the conversion time.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build
work=
articles=20000
streams=2
standard=1
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    --articles) articles=$2; shift 2 ;;
    --streams) streams=$2; shift 2 ;;
    --improved) standard=0; shift ;;
    -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
    *) echo "bench-images: unknown option $1" >&2; exit 2 ;;
  esac
done
converter=/usr/bin/convert
[ -x "$converter" ] || { echo "bench-images: ImageMagick (/usr/bin/convert) is missing" >&2; exit 1; }
# shellcheck source=../bench_common.sh
. "$root/bench/bench_common.sh"
bench_prepare bench-images

echo "bench-images: catalogue of $articles articles"
rm -f "$work/catalogue.sqlite"
"$generator" --out "$work/catalogue.sqlite" --articles "$articles" \
  --types $((articles / 10 + 10)) --links-per-article 5 >"$work/generator.log"

echo "bench-images: starting the store server"
bench_start_server
bench_create_store bench_images

bench_odbc bench-images
rm -rf "$work/export" "$work/images" "$work/temp"
mkdir -p "$work/export" "$work/images" "$work/temp"
settings=$work/Quarvel.ini
{
  printf '\xEF\xBB\xBF[ConToTD]\r\nDriver=%s\r\nDatabase=file:%s?mode=ro\r\nLogin=\r\nPass=\r\n' \
    "$driver" "$work/catalogue.sqlite"
  printf '[ConToPresta]\r\nServer=127.0.0.1\r\nPort=%s\r\nDatabase=bench_images\r\nPrefix=ps_\r\nUser=root\r\nPass=\r\n' \
    "$port"
  printf '[ExportData]\r\nPath_to_data=%s\r\nPath_to_images=%s\r\nExportOnCleanSystem=1\r\nExportAllData=0\r\n' \
    "$work/export" "$work/images"
  printf 'Only_tables_of_products=0\r\nOnly_tables_of_categories=0\r\nOnly_images_and_logos=1\r\n'
  printf '[PreparationData]\r\nImages_from_tecdoc=1\r\nImg_path_to_temp_images=%s\r\nImg_path_to_irfanviewe=%s\r\n' \
    "$work/temp" "$converter"
  printf 'SchemeObtainLinkToImageFromPrestashop=%s\r\nCountPotokForConverImg=%s\r\n' "$standard" "$streams"
} >"$settings"

echo "bench-images: exporting"
start=$(now)
"$cli" --settings "$settings" --yes export >"$work/export.log"
export_time=$(elapsed "$start" "$(now)")
# The stage's own span, from its two time-stamped lines.
stage_seconds() {
  local first last
  first=$(grep -m1 '] Data files of images \.\.\.' "$work/export.log" | sed 's/^\[\([^]]*\)\].*/\1/')
  last=$(grep -m1 '] Data files of images is OK' "$work/export.log" | sed 's/^\[\([^]]*\)\].*/\1/')
  [ -n "$first" ] && [ -n "$last" ] || { echo "?"; return; }
  to_epoch() { date -d "$(echo "$1" | awk -F'[. ]' '{ print $3 "-" $2 "-" $1 " " $4 }')" +%s; }
  echo $(( $(to_epoch "$last") - $(to_epoch "$first") ))
}
pictures=$(cat "$work"/export/image.*.sql | grep -o '),(' | wc -l)
pictures=$((pictures + $(cat "$work"/export/image.*.sql | grep -c 'INSERT INTO' || true)))

echo "bench-images: waiting for the converter scripts"
start=$(now)
while pgrep -f "$work/images/.*convertimage" >/dev/null; do sleep 0.2; done
convert_time=$(elapsed "$start" "$(now)")
failed=$(cat "$work"/images/*/*.log 2>/dev/null | grep -c '^Failed' || true)

echo
echo "Export (images only): ${export_time} s wall; picture stage $(stage_seconds) s (whole seconds)"
echo "Pictures: $pictures, $(du -sh "$work/temp" | cut -f1) taken out of the catalogue," \
  "$(find "$work/images/m" -type f -name '*.jpg' | wc -l) logo files"
echo "Conversion after the export: ${convert_time} s, $streams streams," \
  "$(find "$work/images" -type f -name '*.jpg' | wc -l) files written, failed steps: $failed"
awk -v p="$pictures" -v t="$convert_time" -v e="$export_time" \
  'BEGIN { if (t > 0) printf "Pictures per second: export %.0f, conversion %.0f\n", p / e, p / t }'
