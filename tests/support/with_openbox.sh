#!/usr/bin/env bash
# Runs a command on the current X display under openbox, so that what depends on a window manager (its frames,
# its moves, its placement) is tested as a desktop has it.
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill $wm' EXIT
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && { "$@"; exit; }
  sleep 0.1
done
echo "with_openbox: openbox did not start" >&2
exit 1
