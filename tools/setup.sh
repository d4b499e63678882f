#!/usr/bin/env bash
# Installs the Debian packages Kvilbo needs to build and test, then configures
# and builds it in ./build. Sourced by run.sh and test.sh.
set -euo pipefail

KVILBO_PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  python3 python3-dbfread python3-dbf gdal-bin
  xvfb xauth poppler-utils fonts-dejavu-core
)

install_missing_packages() {
  local missing=()
  for p in "${KVILBO_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build_kvilbo() {
  local jobs
  jobs=$(nproc 2>/dev/null || echo 2)
  cmake -S "$KVILBO_ROOT" -B "$KVILBO_ROOT/build" -DCMAKE_BUILD_TYPE=Release
  cmake --build "$KVILBO_ROOT/build" -j "$jobs"
}
