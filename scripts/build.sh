#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/ (or $QUILLBAY_BUILD_DIR).
#   build.sh          the programs only
#   build.sh --test   the programs, the test suite and the benchmarks
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLBAY_BUILD_DIR:-$root/build}

with_tests=OFF
[ "${1:-}" = "--test" ] && with_tests=ON
bash "$root/scripts/setup.sh" "$@"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
  -DQUILLBAY_BUILD_TESTS=$with_tests -DQUILLBAY_BUILD_BENCH=$with_tests >/dev/null
cmake --build "$build" --parallel "$(nproc)"
