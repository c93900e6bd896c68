#!/usr/bin/env bash
# Runs the built Quillbay on Wayland: a headless Weston of its own (own runtime folder and socket, so it
# needs no desktop and disturbs none), a private D-Bus session for the accessibility bus, then
# tests/desktop/wayland_session.py, which sees the main window appear, presses Generate and Preview, and
# sees the browser window. Its screenshots and protocol log stay in build/wayland-test/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLBAY_BUILD_DIR:-$root/build}
[ -x "$build/bin/quillbay" ] || bash "$root/scripts/build.sh" --test

shots=$build/wayland-test
rm -rf "$shots"
mkdir -p "$shots"
runtime=$(mktemp -d)  # mktemp makes it private (0700), as Wayland wants
socket=quillbay-test-$$
weston_pid=
stop() {
  if [ -n "$weston_pid" ]; then kill "$weston_pid" 2>/dev/null || true; wait "$weston_pid" 2>/dev/null || true; fi
  rm -rf "$runtime"
}
trap stop EXIT

export XDG_RUNTIME_DIR=$runtime
unset DISPLAY WAYLAND_DISPLAY
# --debug lets weston-screenshooter take pictures.
weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 --idle-time=0 \
  --socket="$socket" --debug --log="$shots/weston.log" &
weston_pid=$!
for _ in $(seq 100); do [ -S "$runtime/$socket" ] && break; sleep 0.1; done
if [ ! -S "$runtime/$socket" ]; then
  echo "wayland: FAILED: Weston did not start" >&2
  cat "$shots/weston.log" >&2
  exit 1
fi
sleep 1  # its shell client draws the desktop

app_id=$(basename "$(ls "$build"/packaging/*.desktop)" .desktop)
if ! WAYLAND_DISPLAY=$socket timeout 300 dbus-run-session -- \
     /usr/bin/python3 "$root/tests/desktop/wayland_session.py" "$build/bin/quillbay" "$app_id" "$shots" \
     2>"$shots/session.log"; then
  echo "wayland: session log:" >&2
  tail -n 40 "$shots/session.log" >&2
  echo "wayland: screenshots in $shots" >&2
  exit 1
fi
echo "wayland: passed"
