#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ (the
# "asan" preset) and runs the whole suite there. Any sanitizer report fails the run, also one from
# a process whose exit code no test looks at (the browsers and tools the end-to-end tests start).
# Arguments go to ctest (e.g. -R Preview).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash scripts/setup.sh --test
cmake --preset asan >/dev/null
cmake --build --preset asan
status=0
ctest --preset asan "$@" || status=$?

# ctest keeps every test's whole output here, passed or failed.
log=build-asan/Testing/Temporary/LastTest.log
if grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:|SUMMARY: UndefinedBehaviorSanitizer' "$log"; then
  echo "test-sanitizers: sanitizer reports in $log:" >&2
  grep -nE -A12 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$log" >&2 || true
  status=1
fi
exit $status
