#!/usr/bin/env bash
# Installs what is missing, builds Kvilbo and runs every test.
set -euo pipefail
KVILBO_ROOT=$(cd "$(dirname "$0")" && pwd)
source "$KVILBO_ROOT/tools/setup.sh"

install_missing_packages
build_kvilbo

export QT_QPA_PLATFORM=offscreen
cd "$KVILBO_ROOT/build"
ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)" --timeout 600

# A short fuzzing run of the table engine (clang, sanitizers) from its seed corpus.
"$KVILBO_ROOT/tools/fuzz.sh"
