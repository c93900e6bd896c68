#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillbay.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLBAY_BUILD_DIR:-$root/build}
bash "$root/scripts/build.sh"
exec "$build/bin/quillbay" "$@"
