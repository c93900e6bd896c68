#!/bin/sh
# Runs a Windows program under Wine in a private prefix, as CMake's cross-compiling emulator:
#   wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
#   wine-run.sh PREFIX --fresh   starts over with a new prefix (the old one and its programs are gone)
#   wine-run.sh PREFIX --stop    ends the prefix's wineserver and whatever still runs in it
#   wine-run.sh PREFIX --display PROGRAM [ARGUMENTS...]
#                                runs PROGRAM on the X display in $DISPLAY (e.g. under xvfb-run), then ends
#                                the prefix's wineserver, which must not outlive that display
# Wine's own diagnostics stay out of the output; a prefix that cannot be made shows its log.
set -eu
prefix=$1
shift
case $prefix in /*) ;; *) prefix=$PWD/$prefix ;; esac
export WINEPREFIX="$prefix" WINEDEBUG=-all
# No Mono or Gecko installer dialogs, and no windows unless asked for: CI has no display.
export WINEDLLOVERRIDES="mscoree,mshtml="
display=
if [ "${1:-}" = "--display" ]; then
    display=yes
    shift
else
    unset DISPLAY
fi
unset WAYLAND_DISPLAY

stop() { wineserver -k >/dev/null 2>&1 || true; }

make_prefix() {
    mkdir -p "$(dirname "$prefix")"
    if ! wine wineboot --init >"$prefix.log" 2>&1 || ! wineserver -w >>"$prefix.log" 2>&1; then
        echo "wine-run: could not make the Wine prefix $prefix:" >&2
        cat "$prefix.log" >&2
        exit 1
    fi
    # Debian's Wine does not look in its own font folder (fonts-wine): without these, MS Sans Serif and
    # Tahoma become some other face at some other size.
    if [ -d /usr/share/wine/fonts ]; then
        cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    # With no window manager on the display, Wine draws the title bars and frames itself, as Windows does.
    if [ -n "$display" ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$prefix.log" 2>&1 || true
        wineserver -w
    fi
}

case "${1:-}" in
    --fresh)
        stop
        rm -rf "$prefix"
        make_prefix
        exit 0
        ;;
    --stop)
        stop
        exit 0
        ;;
esac

# Programs started side by side make the prefix once between them.
if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    exec 9>"$prefix.lock"
    flock 9
    [ -f "$prefix/system.reg" ] || make_prefix
    exec 9>&-
fi
if [ -n "$display" ]; then
    status=0
    wine "$@" || status=$?
    stop
    exit $status
fi
exec wine "$@"
