#!/usr/bin/env bash
# Builds the Debian package and checks it as a user meets it: lintian finds no errors, the installed
# desktop entry and AppStream file validate, `apt-get install ./quillbay_*.deb` installs it, both installed
# programs resolve every library and answer --version without a display, and under Xvfb the installed
# quillbay opens its window and "Preview" opens the installed browser's window. The package, and anything
# its installation brought along, is removed again however the test ends. Installing needs root (or sudo).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLBAY_BUILD_DIR:-$root/build}
out=$build/package-test
bin=/usr/bin/quillbay
browser_bin=/usr/libexec/quillbay/quillbay-browser
generate_bin=/usr/bin/quillbay-generate

fail() { echo "package: FAILED: $*" >&2; exit 1; }

# The part that needs a display, run again by this script under xvfb-run.
if [ "${1:-}" = --on-display ]; then
  pid= browser=
  stop() { for p in $browser $pid; do kill "$p" 2>/dev/null || true; done; }
  trap stop EXIT
  click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 1; }

  QT_QPA_PLATFORM=xcb "$bin" >"$out/quillbay.log" 2>&1 &
  pid=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" --name "Quillbay Version 1.00" | head -n1) ||
    fail "the installed quillbay showed no window (log: $out/quillbay.log)"
  sleep 1
  echo "package: the installed quillbay shows its window"
  # The centres of "Generate This Code" and of "Preview", which Generate enables.
  click "$window" 84 228
  click "$window" 52 476
  preview=$(timeout 60 xdotool search --sync --onlyvisible --class quillbay-browser | head -n1) ||
    fail "Preview opened no browser window (log: $out/quillbay.log)"
  browser=$(xdotool getwindowpid "$preview")
  [ "$(readlink "/proc/$browser/exe")" = "$browser_bin" ] ||
    fail "the preview window belongs to $(readlink "/proc/$browser/exe"), not to $browser_bin"
  tr '\0' ' ' <"/proc/$browser/cmdline" | grep -q -- '--control-fd [0-9]' ||
    fail "the browser was not given its line to quillbay: $(tr '\0' ' ' <"/proc/$browser/cmdline")"
  sleep 2
  import -window root "$out/preview.png"
  echo "package: Preview opened the installed browser's window"
  exit 0
fi

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
apt_get() { as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 -y -q "$@"; }

[ -x "$build/bin/quillbay" ] || bash "$root/scripts/build.sh" --test
if dpkg-query -W -f='${Status}' quillbay 2>/dev/null | grep -q 'install ok installed'; then
  fail "quillbay is installed on this machine already; this test installs and removes it, so remove it first"
fi
rm -rf "$out"
mkdir -p "$out"
rm -f "$build"/quillbay_*.deb
(cd "$build" && cmake --build . >/dev/null && cpack -G DEB >"$out/cpack.log" 2>&1) || fail "cpack: see $out/cpack.log"
deb=$(ls "$build"/quillbay_*.deb)
version=$(dpkg-deb -f "$deb" Version)
echo "package: built $(basename "$deb")"

lintian --fail-on error --display-info "$deb" >"$out/lintian.txt" 2>&1 || { cat "$out/lintian.txt"; fail "lintian reports errors"; }
grep -v 'running with root privileges' "$out/lintian.txt" || true

# What the installation will bring along that is not here yet: exactly that goes again at the end.
mapfile -t brought < <(cd "$build" && apt-get -s install "./$(basename "$deb")" 2>/dev/null | awk '/^Inst /{print $2}' |
  while read -r p; do dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"; done)
remove() {
  apt_get purge "${brought[@]}" >"$out/purge.log" 2>&1 || { echo "package: could not remove ${brought[*]}" >&2; return 1; }
  ! dpkg-query -W -f='${Status}' quillbay 2>/dev/null | grep -q 'install ok installed' || return 1
  echo "package: removed ${brought[*]}"
}
trap 'remove || exit 1' EXIT
(cd "$build" && apt_get install "./$(basename "$deb")" >"$out/install.log" 2>&1) ||
  fail "apt-get install: see $out/install.log"
echo "package: installed ${brought[*]}"

for program in "$bin" "$browser_bin" "$generate_bin"; do
  [ -x "$program" ] || fail "$program is not installed"
  missing=$(ldd "$program" | grep 'not found' || true)
  [ -z "$missing" ] || fail "$program misses libraries:"$'\n'"$missing"
done
answer=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin" --version)
[ "$answer" = "Quillbay $version" ] || fail "quillbay --version says '$answer'"
env -u DISPLAY -u WAYLAND_DISPLAY "$browser_bin" --version >/dev/null || fail "quillbay-browser --version failed"
answer=$("$generate_bin" --part onclick --function openHelp)
[ "$answer" = "onClick='openHelp()'" ] || fail "quillbay-generate --part onclick says '$answer'"
[ -f /usr/share/man/man1/quillbay-generate.1.gz ] || fail "the manual page of quillbay-generate is not installed"
[ -f /usr/share/quillbay/guide/index.html ] || fail "the guide is not installed in /usr/share/quillbay/guide"
zcat /usr/share/man/man1/quillbay.1.gz | grep -q '^\.B F1$' || fail "man quillbay does not name F1"
private=$(dpkg -L quillbay | grep '^/usr/libexec/quillbay/.' || true)
[ "$private" = "$browser_bin" ] || fail "libexec/quillbay should hold the browser alone, it holds: $private"
echo "package: the programs resolve every library and answer without a display"

desktop=$(dpkg -L quillbay | grep '^/usr/share/applications/.*\.desktop$')
metainfo=$(dpkg -L quillbay | grep '^/usr/share/metainfo/.*\.xml$')
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"

xvfb-run -a -s "-screen 0 1280x1024x24" bash "${BASH_SOURCE[0]}" --on-display
echo "package: passed"
