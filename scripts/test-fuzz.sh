#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ (the "fuzz" preset) and runs each for a
# short, bounded time from its committed seed corpus. A crash, a broken promise, a leak or an
# input that takes too much memory or time fails the run and leaves its input in build-fuzz/findings/.
#   QUILLBAY_FUZZ_SECONDS   seconds per target (default 20)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
seconds=${QUILLBAY_FUZZ_SECONDS:-20}

bash scripts/setup.sh --test
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

mkdir -p build-fuzz/findings
for fuzzer in build-fuzz/bin/*_fuzz; do
  name=$(basename "$fuzzer" _fuzz)
  seeds=tests/fuzz/corpus/$name
  # New inputs go to a scratch corpus, never into the committed seeds.
  work=build-fuzz/corpus/$name
  mkdir -p "$work"
  dict=()
  case $name in protocol | browser_call) dict=(-dict=tests/fuzz/protocol.dict) ;; esac
  echo "test-fuzz: $name for ${seconds}s"
  if ! "$fuzzer" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -malloc_limit_mb=256 \
       -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$name-" "${dict[@]}" "$work" "$seeds" \
       >"build-fuzz/$name.log" 2>&1; then
    tail -n 60 "build-fuzz/$name.log" >&2
    echo "test-fuzz: $name failed; its input is in build-fuzz/findings/, its log in build-fuzz/$name.log" >&2
    exit 1
  fi
  grep -E '^stat::number_of_executed_units' "build-fuzz/$name.log" | sed "s/^/test-fuzz: $name /"
done
