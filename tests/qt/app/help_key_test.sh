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
  # By its process: the window of a quillbay ended just before may not have gone yet.
  main=$(timeout 20 xdotool search --sync --onlyvisible --pid "${pids[-1]}" --name '^Quillbay Version 1\.00$' |
    head -n1)
  [ -n "$main" ] || fail "the main window did not appear"
}
# F1 in a window; again after a while if nothing has come of it yet, as a user would press it again.
press_f1() {  # press_f1 WINDOW CONDITION...
  local window=$1
  shift
  for _ in 1 2 3; do
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    sleep 0.5
    xdotool key --clearmodifiers F1
    for _ in $(seq 50); do
      "$@" && return 0
      sleep 0.1
    done
  done
  return 1
}
lines() { [ -f "$work/opened" ] && [ "$(wc -l <"$work/opened")" -ge "$1" ]; }

# 1. A desktop opener: the recording stand-in gets the page's address, from either window.
mkdir "$work/opener"
cat >"$work/opener/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$*" >>"$work/opened"
SH
chmod +x "$work/opener/xdg-open"
start "$work/opener:/usr/bin:/bin"
press_f1 "$main" lines 1 || fail "F1 in the main window opened nothing"
expected="file://$page"
[ "$(sed -n 1p "$work/opened")" = "$expected" ] || fail "the opener got '$(sed -n 1p "$work/opened")', not '$expected'"
# "About" is 57 x 25 pixels at (352, 464) in the main window.
xdotool mousemove --window "$main" 380 476 click 1
about=$(timeout 20 xdotool search --sync --onlyvisible --name '^About Quillbay$' | head -n1)
[ -n "$about" ] || fail "the About window did not appear"
before=$(wc -l <"$work/opened")
press_f1 "$about" lines $((before + 1)) || fail "F1 in About opened nothing"
[ "$(tail -n1 "$work/opened")" = "$expected" ] || fail "from About the opener got '$(tail -n1 "$work/opened")'"
kill "${pids[-1]}"
wait "${pids[-1]}" 2>/dev/null || true
opened=$(wc -l <"$work/opened")

# 2. No opener at all: Quillbay's own browser shows the guide, titled by its first page.
mkdir "$work/empty"
start "$work/empty"
title=$(sed -n 's|.*<title>\(.*\)</title>.*|\1|p' "$page")
# The browser takes seconds to start: one press, and a long wait for its window.
xdotool windowfocus --sync "$main" 2>/dev/null || true
sleep 0.5
xdotool key --clearmodifiers F1
browser=$(timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" | head -n1) ||
  fail "no browser window titled '$title' appeared"
pids+=("$(xdotool getwindowpid "$browser")")
[ -n "$browser" ] || fail "no browser window appeared"
[ "$(wc -l <"$work/opened")" -eq "$opened" ] || fail "the stand-in opener ran without being on PATH"
echo "help key: opener and browser both showed $page"
