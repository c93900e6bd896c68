#!/usr/bin/env bash
# The Windows layer: cross-compiles the standard C++ part with MinGW-w64 into build-windows/ and runs its
# tests under Wine, each run in a new Wine prefix under that folder. Arguments go to ctest (e.g. -V).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash scripts/setup.sh --test
cmake --preset windows-wine >/dev/null
cmake --build --preset windows-wine
# The tests end their wineserver themselves; this covers a run that is interrupted.
trap 'cmake/wine-run.sh "$root/build-windows/wineprefix" --stop' EXIT
ctest --preset windows-wine "$@"
