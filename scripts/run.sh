#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillbay.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLBAY_BUILD_DIR:-$root/build}
bash "$root/scripts/build.sh"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run: no display to open the window on; on a machine without one: xvfb-run -a bash scripts/run.sh" >&2
  exit 1
fi
exec "$build/bin/quillbay" "$@"
