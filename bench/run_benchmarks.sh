#!/usr/bin/env bash
# Generates the benchmark tables, times a warm raw read of the scan table,
# runs kvilbo_bench and times GDAL reading the same table, then prints one
# table of figures.
#
#   bench/run_benchmarks.sh [build folder]      (default: ./build)
#
# KVILBO_BENCH_DIR chooses where the tables go (default: a new folder under
# /var/tmp, on disk rather than in memory, removed afterwards).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
cmake --build "$BUILD" --target kvilbo_bench kvilbo_benchgen -j "$(nproc 2>/dev/null || echo 2)" >/dev/null

if [ -n "${KVILBO_BENCH_DIR:-}" ]; then
  mkdir -p "$KVILBO_BENCH_DIR"
else
  KVILBO_BENCH_DIR=$(mktemp -d /var/tmp/kvilbo-bench.XXXXXX)
  trap 'rm -rf "$KVILBO_BENCH_DIR"' EXIT
fi
export KVILBO_BENCH_DIR
DIR=$KVILBO_BENCH_DIR

seconds() { # command... -> wall seconds of one run
  local start end
  start=$(date +%s%N)
  "$@"
  end=$(date +%s%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", (b - a) / 1e9 }'
}

echo "Generating tables in $DIR"
"$BUILD/tools/kvilbo_benchgen" "$DIR/scan.dbf" 1000000 --deleted-every 10
"$BUILD/tools/kvilbo_benchgen" "$DIR/memo.dbf" 100000 --deleted-every 10 --memo

cat "$DIR/scan.dbf" >/dev/null # warm the cache
cat_s=$(seconds sh -c "cat '$DIR/scan.dbf' > /dev/null")

"$BUILD/bench/kvilbo_bench" --benchmark_format=json --benchmark_out="$DIR/bench.json" \
  --benchmark_out_format=json >/dev/null

gdal_s=n/a
if command -v ogr2ogr >/dev/null; then
  ogr2ogr -f CSV /vsistdout/ "$DIR/scan.dbf" >/dev/null # warm
  gdal_s=$(seconds sh -c "ogr2ogr -f CSV /vsistdout/ '$DIR/scan.dbf' > /dev/null")
fi

python3 - "$DIR/bench.json" "$cat_s" "$gdal_s" "$(stat -c %s "$DIR/scan.dbf")" <<'PY'
import json, sys
data = json.load(open(sys.argv[1]))
cat_s, gdal_s, size = float(sys.argv[2]), sys.argv[3], int(sys.argv[4])
ms = {b["name"]: b["real_time"] for b in data["benchmarks"]}
scan = ms["BM_GetFScan/iterations:3"] / 1000
print()
print(f"{'figure':58} {'value':>12}  aim")
print(f"{'table size (1,000,000 records, 10 fields)':58} {size / 1e6:>9.1f} MB")
print(f"{'cat table > /dev/null, warm cache':58} {cat_s:>10.3f} s")
print(f"{'GetF scan of every field of every record':58} {scan:>10.3f} s  <= 10 x cat = {10 * cat_s:.3f} s")
if gdal_s != "n/a":
    g = float(gdal_s)
    print(f"{'GDAL ogr2ogr -f CSV of the same table':58} {g:>10.3f} s  GetF scan >= 10x faster: {g / scan:.1f}x")
print(f"{'10,000 AppendBlank under the claim':58} {ms['BM_AppendBlank10k/with_values:0/iterations:5']:>9.1f} ms  <= 50 ms")
print(f"{'10,000 AppendBlank + Store + Write under the claim':58} {ms['BM_AppendBlank10k/with_values:1/iterations:5']:>9.1f} ms")
print(f"{'Pack of 1,000,000 records without memos (100,000 flagged)':58} {ms['BM_Pack1MNoMemo/iterations:3']:>9.1f} ms  <= 500 ms")
print(f"{'Pack of 100,000 records with memos (10,000 flagged)':58} {ms['BM_Pack100kWithMemos/iterations:3']:>9.1f} ms")
print()
print(f"host: {data['context'].get('host_name', '?')}, {data['context'].get('num_cpus', '?')} cpus, "
      f"{data['context'].get('mhz_per_cpu', '?')} MHz")
PY
