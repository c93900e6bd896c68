#!/bin/sh
# Runs a Windows program under Wine in a private prefix, as CMake's cross-compiling emulator:
#   wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
#   wine-run.sh PREFIX --fresh   starts over with a new prefix (the old one and its programs are gone)
#   wine-run.sh PREFIX --stop    ends the prefix's wineserver and whatever still runs in it
# Wine's own diagnostics stay out of the output; a prefix that cannot be made shows its log.
set -eu
prefix=$1
shift
case $prefix in /*) ;; *) prefix=$PWD/$prefix ;; esac
export WINEPREFIX="$prefix" WINEDEBUG=-all
# No Mono or Gecko installer dialogs, and no windows: the tests need neither, CI has no display.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

stop() { wineserver -k >/dev/null 2>&1 || true; }

make_prefix() {
    mkdir -p "$(dirname "$prefix")"
    if ! wine wineboot --init >"$prefix.log" 2>&1 || ! wineserver -w >>"$prefix.log" 2>&1; then
        echo "wine-run: could not make the Wine prefix $prefix:" >&2
        cat "$prefix.log" >&2
        exit 1
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
exec wine "$@"
