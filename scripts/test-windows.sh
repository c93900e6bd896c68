#!/usr/bin/env bash
# The Windows program and layer: cross-compiles quillbay.exe and the standard C++ part with MinGW-w64 into
# build-windows/ and runs their tests under Wine in prefixes under that folder (the display test on an Xvfb
# of its own). Arguments go to ctest (e.g. -V).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash scripts/setup.sh --test
cmake --preset windows-wine >/dev/null
cmake --build --preset windows-wine
# The tests end their wineserver themselves; this covers a run that is interrupted.
trap 'for prefix in wineprefix wineprefix-display; do cmake/wine-run.sh "$root/build-windows/$prefix" --stop; done' EXIT
ctest --preset windows-wine "$@"
