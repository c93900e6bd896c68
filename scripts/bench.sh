#!/usr/bin/env bash
# Builds and runs every benchmark, then prints one table of the results (Markdown, as the README shows it)
# and the machine they came from. Benchmarks are not tests: neither scripts/test.sh nor CI runs them.
#   generator_bench  the generator turning settings into the four snippets
#   generate_to_shown_bench  "Generate This Code" clicked until the four boxes have painted, with 200 B,
#                    64 KiB and 1 MiB in every field (offscreen)
#   preview_bench    how long "Preview" holds the tool, against a bare QtWebEngine window (under Xvfb)
#   startup_bench    start-up against a bare Qt Widgets window: instructions counted by callgrind on the
#                    offscreen platform, then wall clock and peak RSS under Xvfb
# Arguments go to every benchmark (e.g. --benchmark_repetitions=3).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLBAY_BUILD_DIR:-$root/build}

bash "$root/scripts/build.sh" --test >&2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

xvfb() { xvfb-run -a -s "-screen 0 1280x1024x24" "$@"; }
# run <name> [xvfb] <program>: the console report as it runs, a CSV copy for the table.
run() {
  local name=$1
  shift
  echo "== $name" >&2
  "$@" "${args[@]}" --benchmark_out="$out/$name.csv" --benchmark_out_format=csv >&2
}
args=("$@")
run generator_bench "$build/bin/generator_bench"
run generate_to_shown_bench env QT_QPA_PLATFORM=offscreen "$build/bin/generate_to_shown_bench"
if [ -x "$build/bin/preview_bench" ]; then run preview_bench xvfb "$build/bin/preview_bench"; fi
if [ -x "$build/bin/startup_bench" ]; then run startup_bench xvfb "$build/bin/startup_bench"; fi

# Google Benchmark's CSV: lines about the machine, a header row from "name," on, then one row per benchmark;
# names, labels and counter names are quoted.
awk '
  function split_csv(line, f,    n, i, c, q, cur) {
    n = 0; cur = ""; q = 0
    for (i = 1; i <= length(line); i++) {
      c = substr(line, i, 1)
      if (c == "\"") q = !q
      else if (c == "," && !q) { f[++n] = cur; cur = "" }
      else cur = cur c
    }
    f[++n] = cur
    return n
  }
  function num(x, d) { return sprintf("%." d "f", x) }
  FNR == 1 { header = 0; file = FILENAME; sub(/.*\//, "", file); sub(/\.csv$/, "", file) }
  !header && /^name,/ { header = 1; delete col; n = split_csv($0, h); for (i = 1; i <= n; i++) col[h[i]] = i; next }
  !header { next }
  {
    split_csv($0, f)
    v["name"] = f[col["name"]]
    if (f[col["error_occurred"]] == "true") { rows[++r] = "| " file " " v["name"] " | failed: " f[col["error_message"]] " | | | |"; next }
    if (file == "startup_bench") {
      where = f[col["label"]] == "xcb" ? "Xvfb" : f[col["label"]]
      if (col["instr_ratio"] && f[col["instr_ratio"]] != "")
        rows[++r] = "| Start-up, instructions (callgrind, offscreen) | " num(f[col["quillbay_Minstr"]], 1) " M | " num(f[col["bare_Minstr"]], 1) " M | **" num(f[col["instr_ratio"]], 2) "x** | <= 1.30x |"
      rows[++r] = "| Start-up, peak RSS (" where ") | " num(f[col["quillbay_rss_MB"]], 1) " MB | " num(f[col["bare_rss_MB"]], 1) " MB | **" num(f[col["rss_ratio"]], 2) "x** | <= 1.10x |"
      rows[++r] = "| Start-up, wall clock, median (" where ") | " num(f[col["quillbay_ms"]], 1) " ms | " num(f[col["bare_ms"]], 1) " ms | " num(f[col["time_ratio"]], 2) "x | |"
    } else if (file == "preview_bench") {
      rows[++r] = "| Preview press holds the tool, median (Xvfb) | " num(f[col["press_blocked_ms"]], 0) " ms | " num(f[col["bare_shown_ms"]], 0) " ms | **" num(f[col["blocked_vs_bare"]], 2) "x** | <= 1.20x |"
      rows[++r] = "| Preview window shown after the press, median (Xvfb) | " num(f[col["press_shown_ms"]], 0) " ms | | | |"
    } else if (file == "generate_to_shown_bench") {
      rows[++r] = "| Generate to shown, " v["name"] " | " num(f[col["real_time"]], 1) " " f[col["time_unit"]] " | | | |"
    } else {
      extra = ""
      if (col["bytes_per_second"] && f[col["bytes_per_second"]] != "") extra = ", " num(f[col["bytes_per_second"]] / 1048576, 0) " MiB/s"
      rows[++r] = "| Generator, " v["name"] " | " num(f[col["real_time"]], 2) " " f[col["time_unit"]] extra " | | | |"
    }
  }
  END {
    print "| Benchmark | Quillbay | Yardstick (bare Qt program) | Ratio | Target |"
    print "|---|---|---|---|---|"
    for (i = 1; i <= r; i++) print rows[i]
  }
' $(for name in startup_bench preview_bench generate_to_shown_bench generator_bench; do [ -s "$out/$name.csv" ] && echo "$out/$name.csv"; done)

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1)
os=$(. /etc/os-release && echo "$PRETTY_NAME")
qt=$(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo unknown)
echo
echo "Measured $(date -u +%Y-%m-%d) on $cpu, $(nproc) cores, $(free -g | awk '/^Mem:/ {print $2}') GB, $os, Qt $qt."
