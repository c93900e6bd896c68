#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: every configuration, one after another.
# Arguments go to the main suite's ctest (e.g. -R Generate).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLBAY_BUILD_DIR:-$root/build}

bash "$root/scripts/build.sh" --test
(cd "$build" && ctest --output-on-failure --parallel "$(nproc)" "$@")
bash "$root/scripts/test-sanitizers.sh"
bash "$root/scripts/test-fuzz.sh"
bash "$root/scripts/test-windows.sh"
bash "$root/scripts/test-package.sh"
bash "$root/scripts/test-wayland.sh"
