#!/usr/bin/env bash
# Builds the engine's fuzz target with clang (AddressSanitizer, UndefinedBehavior-
# Sanitizer, libFuzzer) in build-fuzz/ and runs it for a short while from the
# seed corpus in engine/fuzz/corpus/. Fails when the fuzzer finds a crash, a
# leak or a hang. KVILBO_FUZZ_SECONDS sets the running time (default 30).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build-fuzz"
SECONDS_TO_RUN=${KVILBO_FUZZ_SECONDS:-30}
JOBS=$(nproc 2>/dev/null || echo 2)

cmake -S "$ROOT" -B "$BUILD" -DKVILBO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$BUILD" --target dbf_fuzz -j "$JOBS"

# The committed seeds stay as they are; new inputs go to a scratch corpus.
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/corpus" "$BUILD/fuzz-findings"
cp "$ROOT"/engine/fuzz/corpus/* "$WORK/corpus/"

echo "Fuzzing OpenDatabase and reading for ${SECONDS_TO_RUN} s"
set +e
"$BUILD/engine/fuzz/dbf_fuzz" "$WORK/corpus" \
  -dict="$ROOT/engine/fuzz/dbf.dict" \
  -max_total_time="$SECONDS_TO_RUN" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
  -print_final_stats=1 -artifact_prefix="$BUILD/fuzz-findings/" >"$WORK/log" 2>&1
status=$?
set -e
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+[[:space:]]+DONE)' "$WORK/log" || true
if [ $status -ne 0 ]; then
  tail -n 60 "$WORK/log"
  echo "FUZZING FOUND A FAULT (exit $status); the input is in $BUILD/fuzz-findings/" >&2
  exit 1
fi
echo "Fuzzing found nothing."
