#!/usr/bin/env bash
# Installs what is missing, builds Kvilbo and starts it on the demo database.
set -euo pipefail
KVILBO_ROOT=$(cd "$(dirname "$0")" && pwd)
source "$KVILBO_ROOT/tools/setup.sh"

install_missing_packages
build_kvilbo

demo="$KVILBO_ROOT/build/demo/KUNDER.DBF"
args=()
if [ -x "$KVILBO_ROOT/build/tools/lagdemo" ]; then
  [ -f "$demo" ] || "$KVILBO_ROOT/build/tools/lagdemo" "$KVILBO_ROOT/build/demo"
  args+=("$demo")
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so Kvilbo cannot open its window here."
  echo "Kvilbo is built in $KVILBO_ROOT/build. To run it on a virtual display:"
  echo "  xvfb-run -a -s '-screen 0 1280x1024x24' $KVILBO_ROOT/build/kvilbo ${args[*]:-}"
  exit 1
fi
exec "$KVILBO_ROOT/build/kvilbo" "${args[@]}"
