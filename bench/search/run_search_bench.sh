#!/usr/bin/env bash
# Generates the 1,000,000-record table (unless KVILBO_BENCH_DIR already holds
# scan.dbf) and times the quick search and Locate over it.
#
#   bench/search/run_search_bench.sh [build folder] [benchmark options]
#
# The model/1 rows search through the list model, which makes every cell's
# text when asked; run them alone with --benchmark_filter=model:1.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
shift || true
cmake --build "$BUILD" --target search_bench kvilbo_benchgen -j 2 >/dev/null

if [ -n "${KVILBO_BENCH_DIR:-}" ]; then
  mkdir -p "$KVILBO_BENCH_DIR"
else
  KVILBO_BENCH_DIR=$(mktemp -d /var/tmp/kvilbo-search-bench.XXXXXX)
  trap 'rm -rf "$KVILBO_BENCH_DIR"' EXIT
fi
export KVILBO_BENCH_DIR
[ -f "$KVILBO_BENCH_DIR/scan.dbf" ] || "$BUILD/tools/kvilbo_benchgen" "$KVILBO_BENCH_DIR/scan.dbf" 1000000 --deleted-every 10
"$BUILD/bench/search/search_bench" "$@"
