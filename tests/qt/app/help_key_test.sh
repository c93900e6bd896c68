#!/usr/bin/env bash
# help_key_test.sh BIN_FOLDER   (under xvfb-run): F1 in the built quillbay's main window and in About hands the
# guide's first page to the desktop's opener (a recording xdg-open on PATH); with no opener on PATH, F1 shows the
# page in a window of Quillbay's own browser.
set -euo pipefail
bin=$(cd "$1" && pwd)
page=$(cd "$bin/../share/quillbay/guide" && pwd)/index.html
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "help key: $*" >&2; exit 1; }
xprop -spy -root >/dev/null &  # a client throughout: with none left, Xvfb resets and refuses the next for a moment
pids+=($!)
find_window() {  # find_window SECONDS ARGS...: the first visible window xdotool finds with ARGS, asked again
  # while there is none; a window that vanishes while xdotool looks at it (the program's start-up makes some)
  # is an X error that ends that one search, not the test
  local w
  for _ in $(seq $(($1 * 5))); do
    w=$(xdotool search --onlyvisible "${@:2}" 2>/dev/null | head -n1) || true
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.2
  done
  return 1
}
start() {  # start PATH: sets main to the window of a quillbay run with that PATH
  env PATH="$1" "$bin/quillbay" >/dev/null 2>&1 &
  pids+=($!)
  main=$(find_window 20 --pid $! --name '^Quillbay Version 1\.00$') ||
    fail "the main window did not appear"
}
f1_until() {  # f1_until WINDOW N: F1 until the opener has noted N pages, pressed again while nothing comes of it
  for i in $(seq 30); do
    [ $((i % 10)) -eq 1 ] && { xdotool windowfocus --sync "$1" 2>/dev/null || true; sleep 0.5; xdotool key --clearmodifiers F1; }
    [ "$(cat "$work/opened" 2>/dev/null | wc -l)" -ge "$2" ] && return 0
    sleep 0.2
  done
  return 1
}

mkdir "$work/opener" "$work/empty"
printf '#!/bin/sh\necho "$*" >>"%s/opened"\n' "$work" >"$work/opener/xdg-open"
chmod +x "$work/opener/xdg-open"
start "$work/opener:/usr/bin:/bin"
f1_until "$main" 1 || fail "F1 in the main window opened nothing"
xdotool mousemove --window "$main" 380 476 click 1  # "About" is 57 x 25 pixels at (352, 464)
about=$(find_window 20 --name '^About Quillbay$') || fail "no About window"
f1_until "$about" 2 || fail "F1 in About opened nothing"
[ "$(sort -u "$work/opened")" = "file://$page" ] || fail "the opener got '$(cat "$work/opened")', not file://$page"
kill "${pids[-1]}"

# No opener: F1 again only while no browser has been started with the page (a press can come before the window
# takes keys), then a long wait for its window, as the browser takes seconds to start.
start "$work/empty"
for _ in $(seq 10); do
  xdotool windowfocus --sync "$main" 2>/dev/null || true; sleep 0.5; xdotool key --clearmodifiers F1
  for _ in $(seq 10); do pgrep -f "quillbay-browser file://" >/dev/null && break 2; sleep 0.2; done
done
title=$(sed -n 's|.*<title>\(.*\)</title>.*|\1|p' "$page")
browser=$(find_window 60 --name "^$title\$") || fail "no window '$title'"
pids+=("$(xdotool getwindowpid "$browser")")
echo "help key: the opener and the browser both showed $page"
