#!/usr/bin/env bash
# Runs a command on the current X display under openbox, started first and ended after it, so that what
# depends on a window manager (its frames, its moves, its placement) is tested as a desktop has it.
set -uo pipefail
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
  echo "with_openbox: openbox did not start" >&2
  kill "$wm" 2>/dev/null
  exit 1
fi
"$@"
status=$?
kill "$wm" 2>/dev/null
wait "$wm" 2>/dev/null
exit $status
