#!/usr/bin/env bash
# Installs what is missing, then configures and builds everything into build/ (or $QUILLBAY_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLBAY_BUILD_DIR:-$root/build}

bash "$root/scripts/setup.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
cmake --build "$build" --parallel "$(nproc)"
