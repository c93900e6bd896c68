#!/usr/bin/env bash
# Builds Quillbay, runs it under Xvfb and saves screenshots of the main window into shots/:
#   start.png           as it opens
#   after-generate.png  after "Generate This Code" was clicked
#   scale2.png          as it opens at QT_SCALE_FACTOR=2
#   about.png           the About window
#   preview.png         the window "Preview" opens, with a larger size and the bars ticked, on a page of
#                       our own served from this machine (there is no network here)
# The start, after-generate, About and preview screenshots are copied into the guide (docs/guide/), which
# the README shows too; the guide's pages name them, so they stay true when the window changes.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLBAY_BUILD_DIR:-$root/build}

if [ -z "${QUILLBAY_SHOTS_DISPLAY:-}" ]; then
  bash "$root/scripts/build.sh" --test
  exec xvfb-run -a -s "-screen 0 2048x1536x24" env QUILLBAY_SHOTS_DISPLAY=1 bash "${BASH_SOURCE[0]}" "$@"
fi

shots=$root/shots
mkdir -p "$shots" "$root/docs/guide"
title="Quillbay Version 1.00"
pid=

browser= server=
stop() {
  if [ -n "$browser" ]; then kill "$browser" 2>/dev/null || true; browser=; fi
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; server=; fi
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; pid=; fi
}
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

# Replaces a text box's text, given its middle in window pixels.
retype() {
  click "$1" "$2" "$3"
  xdotool key ctrl+a type "$4"
}

# "About" is 57 x 25 pixels at (352, 464).
start
click "$id" 380 476
about=$(timeout 20 xdotool search --sync --onlyvisible --name "About Quillbay" | head -n1)
sleep 1
import -window "$about" "$shots/about.png"
stop

mkdir -p "$shots/site"
cat >"$shots/site/newsletter.html" <<'HTML'
<!DOCTYPE html>
<html><head><title>Spring newsletter</title></head>
<body style="font-family: sans-serif; margin: 16px; background: #f4f8fc; color: #1c2f5c">
<h2 style="margin-top: 0">Spring newsletter</h2>
<p>Tips for your web pages, once a month. No spam, and you can leave at any time.</p>
<p><input placeholder="you@example.org" style="width: 60%"> <button>Sign up</button></p>
</body></html>
HTML
/usr/bin/python3 -m http.server 8000 --bind 127.0.0.1 --directory "$shots/site" >/dev/null 2>&1 &
server=$!
timeout 10 bash -c 'until exec 3<>/dev/tcp/127.0.0.1/8000; do sleep 0.2; done' 2>/dev/null ||
  { echo "screenshots: could not serve the preview page on 127.0.0.1:8000" >&2; exit 1; }
start
retype "$id" 312 65 "http://localhost:8000/newsletter.html"
retype "$id" 112 97 420
retype "$id" 264 97 320
# Status Bar, Toolbars, Menu Bar and Locations.
for box in "32 140" "144 140" "272 140" "272 172"; do click "$id" $box; done
click "$id" 84 228
# "Preview" is 73 x 25 pixels at (16, 464).
click "$id" 52 476
preview=$(timeout 60 xdotool search --sync --onlyvisible --class quillbay-browser | head -n1)
browser=$(xdotool getwindowpid "$preview")
sleep 3
import -window "$preview" "$shots/preview.png"
stop

cp "$shots/start.png" "$root/docs/guide/mainform.png"
cp "$shots/after-generate.png" "$root/docs/guide/generated.png"
cp "$shots/about.png" "$root/docs/guide/about.png"
cp "$shots/preview.png" "$root/docs/guide/preview.png"
identify "$shots"/*.png
