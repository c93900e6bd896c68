#!/usr/bin/env bash
# Builds Quillbay, runs it under Xvfb and saves screenshots of the main window into shots/:
#   start.png           as it opens
#   after-generate.png  after "Generate This Code" was clicked
#   scale2.png          as it opens at QT_SCALE_FACTOR=2
# The start screenshot is copied to docs/mainform.png, which the README shows.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLBAY_BUILD_DIR:-$root/build}

if [ -z "${QUILLBAY_SHOTS_DISPLAY:-}" ]; then
  bash "$root/scripts/build.sh" --test
  exec xvfb-run -a -s "-screen 0 2048x1536x24" env QUILLBAY_SHOTS_DISPLAY=1 bash "${BASH_SOURCE[0]}" "$@"
fi

shots=$root/shots
mkdir -p "$shots" "$root/docs"
title="Quillbay Version 1.00"
pid=

stop() { if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; pid=; fi; }
trap stop EXIT

# Starts the program (not in a subshell, so that stop() knows its pid) and sets id to its window once
# the window is mapped and painted.
id=
start() {
  "$build/bin/quillbay" >/dev/null 2>&1 &
  pid=$!
  id=$(timeout 20 xdotool search --sync --onlyvisible --name "$title" | head -n1)
  sleep 1
}

# Clicks the middle of a control, given in window pixels at scale 1.
click() {
  local id=$1 x=$2 y=$3 scale=${4:-1}
  xdotool mousemove --window "$id" $((x * scale)) $((y * scale)) click 1
  sleep 1
}

start
import -window "$id" "$shots/start.png"
# "Generate This Code" is 137 x 25 pixels at (16, 216).
click "$id" 84 228
import -window "$id" "$shots/after-generate.png"
stop

export QT_SCALE_FACTOR=2
start
import -window "$id" "$shots/scale2.png"
stop
unset QT_SCALE_FACTOR

cp "$shots/start.png" "$root/docs/mainform.png"
identify "$shots"/*.png
