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

echo "Generating tables in $DIR"
"$BUILD/tools/kvilbo_benchgen" "$DIR/scan.dbf" 1000000 --deleted-every 10
"$BUILD/tools/kvilbo_benchgen" "$DIR/memo.dbf" 100000 --deleted-every 10 --memo

"$BUILD/bench/kvilbo_bench" --benchmark_format=json --benchmark_out="$DIR/bench.json" \
  --benchmark_out_format=json >/dev/null

# The machine may be shared: every figure is given as wall time and as CPU
# time (user + system) of the process that did the work.
python3 - "$DIR" <<'PY'
import json, os, resource, shutil, subprocess, sys, time
folder = sys.argv[1]
table = os.path.join(folder, "scan.dbf")

def timed(command):
    subprocess.run(command, shell=True, check=True)  # warm the cache
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, shell=True, check=True)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return wall, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)

cat = timed(f"cat '{table}' > /dev/null")
gdal = timed(f"ogr2ogr -f CSV /vsistdout/ '{table}' > /dev/null") if shutil.which("ogr2ogr") else None
data = json.load(open(os.path.join(folder, "bench.json")))
runs = {b["name"]: (b["real_time"] / 1000, b["cpu_time"] / 1000) for b in data["benchmarks"]}
scan = runs["BM_GetFScan/exclusive:0/iterations:3"]
scan_exclusive = runs["BM_GetFScan/exclusive:1/iterations:3"]

def row(name, figures, aim=""):
    print(f"{name:58} {figures[0]:9.3f} s {figures[1]:9.3f} s  {aim}")

print()
print(f"{'figure':58} {'wall':>11} {'cpu':>11}  aim")
print(f"table: 1,000,000 records, 10 fields, {os.path.getsize(table) / 1e6:.1f} MB")
row("cat table > /dev/null, warm cache", cat)
for name, figures in (("shared", scan), ("exclusive", scan_exclusive)):
    row(f"GetF scan of every field of every record, {name}", figures,
        f"<= 10 x cat: wall {figures[0] / cat[0]:.1f} x, cpu {figures[1] / max(cat[1], 1e-9):.1f} x")
if gdal:
    row("GDAL ogr2ogr -f CSV /vsistdout/ of the same table", gdal,
        f">= 10 x slower than shared GetF scan: wall {gdal[0] / scan[0]:.1f} x, cpu {gdal[1] / scan[1]:.1f} x")
row("10,000 AppendBlank under the claim", runs["BM_AppendBlank10k/with_values:0/iterations:5"], "<= 0.050 s")
row("10,000 AppendBlank + Store + Write under the claim", runs["BM_AppendBlank10k/with_values:1/iterations:5"])
row("Pack of 1,000,000 records, no memos (100,000 flagged)", runs["BM_Pack1MNoMemo/iterations:3"], "<= 0.500 s")
row("Pack of 100,000 records with memos (10,000 flagged)", runs["BM_Pack100kWithMemos/iterations:3"])
context = data["context"]
load = context.get("load_avg", [])
print(f"\nhost: {context.get('host_name', '?')}, {context.get('num_cpus', '?')} cpus at "
      f"{context.get('mhz_per_cpu', '?')} MHz, load average {', '.join(f'{x:.1f}' for x in load)}")
PY
