#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: every configuration, one after another.
# Arguments go to the main suite's ctest (e.g. -R Generate). Every suite runs even when one before it
# failed; the last line counts them.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLBAY_BUILD_DIR:-$root/build}

passed=0
failed=()
suite() {
  local name=$1
  shift
  echo "== test: $name" >&2
  if "$@"; then passed=$((passed + 1)); else failed+=("$name"); fi
}
main_suite() { bash "$root/scripts/build.sh" --test && (cd "$build" && ctest --output-on-failure --parallel "$(nproc)" "$@"); }

suite main main_suite "$@"
suite sanitizers bash "$root/scripts/test-sanitizers.sh"
suite fuzz bash "$root/scripts/test-fuzz.sh"
suite windows bash "$root/scripts/test-windows.sh"
suite msi bash "$root/scripts/test-msi.sh"
suite package bash "$root/scripts/test-package.sh"
suite wayland bash "$root/scripts/test-wayland.sh"

[ ${#failed[@]} -eq 0 ] || echo "test: failed: ${failed[*]}" >&2
echo "suites: $passed passed, ${#failed[@]} failed"
[ ${#failed[@]} -eq 0 ]
