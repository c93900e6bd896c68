#!/usr/bin/env bash
# Builds quillbay.exe (preset windows-wine), runs it under Wine on Xvfb and saves screenshots into
# shots/windows/:
#   start.png       the main window as it opens (copied to docs/guide/mainform-windows.png)
#   message.png     the message for an empty function name (docs/guide/message-windows.png)
#   about.png       the About window (docs/guide/about-windows.png)
#   start-150.png   the main window at 150 % (144 dpi)
# Wine draws the windows' frames itself (the display prefix has no window manager); the prefix is
# build-windows/wineprefix-display, the one the Windows display test uses.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build-windows
prefix=$build/wineprefix-display

if [ -z "${QUILLBAY_SHOTS_DISPLAY:-}" ]; then
  bash "$root/scripts/setup.sh" --test
  (cd "$root" && cmake --preset windows-wine >/dev/null && cmake --build --preset windows-wine --target quillbay)
  exec xvfb-run -a -s "-screen 0 1280x1024x24" env QUILLBAY_SHOTS_DISPLAY=1 bash "${BASH_SOURCE[0]}" "$@"
fi

shots=$root/shots/windows
mkdir -p "$shots" "$root/docs/guide"
run=$root/cmake/wine-run.sh
pid=
stop() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; pid=; fi
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
}
trap stop EXIT

logPixels() {
  WINEPREFIX=$prefix WINEDEBUG=-all wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    >/dev/null 2>&1
}

# Starts the program and sets id to its main window once it is mapped, and X, Y, WIDTH, HEIGHT to the
# window's place and size with its frame, which Wine draws around the client area.
id=
start() {
  "$run" "$prefix" --display "$build/bin/quillbay.exe" >/dev/null 2>&1 &
  pid=$!
  id=$(timeout 60 xdotool search --sync --onlyvisible --name "^Quillbay Version 1.00$" | head -n1)
  sleep 2
  eval "$(xdotool getwindowgeometry --shell "$id")"
}

# Clicks the middle of a main-window control, given as its design rectangle in twips, at 96 dpi: the
# client area (483 x 506) sits in the frame's bottom middle.
click() {
  local border=$(((WIDTH - 483) / 2))
  local left=$((X + border)) top=$((Y + HEIGHT - 506 - border))
  xdotool mousemove $((left + ($1 + $3 / 2) / 15)) $((top + ($2 + $4 / 2) / 15)) click 1
  sleep 1
}

# Wine draws the frame into the window itself, so the window's own picture has it.
shot() { import -window "$1" "$2"; }

logPixels 96
start
shot "$id" "$shots/start.png"
# Empty the function name, then "Generate This Code".
click 1800 360 1335 285
xdotool key End key --repeat 20 BackSpace
click 240 3240 2055 375
box=$(timeout 20 xdotool search --sync --onlyvisible --name "^Quillbay$" | head -n1)
eval "$(xdotool getwindowgeometry --shell "$box" | sed 's/^/BOX_/')"
right=$((BOX_X + BOX_WIDTH > X + WIDTH ? BOX_X + BOX_WIDTH : X + WIDTH))
bottom=$((BOX_Y + BOX_HEIGHT > Y + HEIGHT ? BOX_Y + BOX_HEIGHT : Y + HEIGHT))
import -window root -crop "$((right - X))x$((bottom - Y))+${X}+${Y}" +repage "$shots/message.png"
xdotool key Return
sleep 1
click 5280 6960 855 375  # About
xdotool mousemove 0 0  # no tool tip in the picture
about=$(timeout 20 xdotool search --sync --onlyvisible --name "^About Quillbay$" | head -n1)
sleep 1
shot "$about" "$shots/about.png"
stop

logPixels 144
start
shot "$id" "$shots/start-150.png"
stop
logPixels 96

# The guide shows these (and the README the first), so that both stay true when the windows change.
cp "$shots/start.png" "$root/docs/guide/mainform-windows.png"
cp "$shots/message.png" "$root/docs/guide/message-windows.png"
cp "$shots/about.png" "$root/docs/guide/about-windows.png"
echo "screenshots in $shots"
