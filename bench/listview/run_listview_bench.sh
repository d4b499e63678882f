#!/usr/bin/env bash
# Generates the 1,000,000-record table (unless KVILBO_BENCH_DIR already holds
# scan.dbf) and times the list grid over it: first paint, background reading,
# sorts and peak memory.
#
#   bench/listview/run_listview_bench.sh [build folder]      (default: ./build)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
cmake --build "$BUILD" --target listview_bench kvilbo_benchgen -j 2 >/dev/null

if [ -n "${KVILBO_BENCH_DIR:-}" ]; then
  mkdir -p "$KVILBO_BENCH_DIR"
else
  KVILBO_BENCH_DIR=$(mktemp -d /var/tmp/kvilbo-listview-bench.XXXXXX)
  trap 'rm -rf "$KVILBO_BENCH_DIR"' EXIT
fi
export KVILBO_BENCH_DIR
[ -f "$KVILBO_BENCH_DIR/scan.dbf" ] || "$BUILD/tools/kvilbo_benchgen" "$KVILBO_BENCH_DIR/scan.dbf" 1000000 --deleted-every 10
cat "$KVILBO_BENCH_DIR/scan.dbf" >/dev/null # the figures are for a warm cache
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$BUILD/bench/listview/listview_bench"
