#!/usr/bin/env bash
# help_key_test.sh BIN_FOLDER   (on an X display: run under xvfb-run)
# The built quillbay, as a user meets it: F1 in the main window and in About hands the guide's first page to
# the desktop's opener (a recording xdg-open on PATH); with no opener on PATH, F1 shows the page in a window
# of Quillbay's own browser.
set -euo pipefail
bin=$(cd "$1" && pwd)
page=$(cd "$bin/../share/quillbay/guide" && pwd)/index.html
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "help key: $*" >&2; exit 1; }
[ -f "$page" ] || fail "the build has no guide at $page"

# Starts quillbay with PATH=$1 and sets main to its window.
main=
start() {
  env PATH="$1" "$bin/quillbay" >/dev/null 2>&1 &
  pids+=($!)
  main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillbay Version 1\.00$' | head -n1)
  [ -n "$main" ] || fail "the main window did not appear"
}
press_f1() {
  xdotool windowfocus --sync "$1"
  sleep 0.5
  xdotool key --clearmodifiers F1
}
wait_lines() {  # wait_lines FILE N: until FILE has N lines
  for _ in $(seq 100); do
    [ -f "$1" ] && [ "$(wc -l <"$1")" -ge "$2" ] && return 0
    sleep 0.1
  done
  return 1
}

# 1. A desktop opener: the recording stand-in gets the page's address, from either window.
mkdir "$work/opener"
cat >"$work/opener/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$*" >>"$work/opened"
SH
chmod +x "$work/opener/xdg-open"
start "$work/opener:/usr/bin:/bin"
press_f1 "$main"
wait_lines "$work/opened" 1 || fail "F1 in the main window opened nothing"
expected="file://$page"
[ "$(sed -n 1p "$work/opened")" = "$expected" ] || fail "the opener got '$(sed -n 1p "$work/opened")', not '$expected'"
# "About" is 57 x 25 pixels at (352, 464) in the main window.
xdotool mousemove --window "$main" 380 476 click 1
about=$(timeout 20 xdotool search --sync --onlyvisible --name '^About Quillbay$' | head -n1)
[ -n "$about" ] || fail "the About window did not appear"
press_f1 "$about"
wait_lines "$work/opened" 2 || fail "F1 in About opened nothing"
[ "$(sed -n 2p "$work/opened")" = "$expected" ] || fail "from About the opener got '$(sed -n 2p "$work/opened")'"
kill "${pids[-1]}"

# 2. No opener at all: Quillbay's own browser shows the guide, titled by its first page.
mkdir "$work/empty"
start "$work/empty"
press_f1 "$main"
title=$(sed -n 's|.*<title>\(.*\)</title>.*|\1|p' "$page")
browser=$(timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" | head -n1) ||
  fail "no browser window titled '$title' appeared"
pids+=("$(xdotool getwindowpid "$browser")")
[ -n "$browser" ] || fail "no browser window appeared"
[ -f "$work/opened" ] && [ "$(wc -l <"$work/opened")" -eq 2 ] || fail "the stand-in opener ran without being on PATH"
echo "help key: opener and browser both showed $page"
