#!/usr/bin/env bash
# Installs what building and running Quillbay needs on Debian 12; with --test, also what its tests need;
# with --package, also what the Windows installer is built with.
# Cheap when everything is present: it asks dpkg first and calls apt-get only for what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  file  # cpack's scan for the libraries the package depends on
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-wayland libgl-dev
  qt6-webengine-dev libqt6webenginecore6-bin
  fonts-liberation fonts-dejavu-core fonts-freefont-ttf
)
# The test suite, the benchmarks, the screenshots and the fuzz targets (clang with libFuzzer); MinGW-w64 and
# Wine build and run the Windows tests (fonts-wine: the fonts Windows programs expect, MS Sans Serif among
# them); the package test's checkers, and the Wayland test's compositor and the accessibility bus that
# drives the window there; a window manager for the tests whose behaviour depends on one (frames, moves,
# the place of a window).
test_packages=(
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth x11-utils xdotool imagemagick valgrind
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 wine wine64 fonts-wine
  lintian desktop-file-utils appstream
  wixl msitools  # the Windows installer, built and its tables read
  fp-utils libchm-bin  # the guide compiled into help.chm (chmcmd) and the result listed (chmlib's tools)
  weston dbus-daemon at-spi2-core python3-pyatspi
  openbox
)

# The Windows installer: cross-compiled programs and the compiled guide, packed by wixl (msitools' msibuild
# fills in the File table's versions, which wixl leaves empty).
package_packages=(g++-mingw-w64-x86-64 wixl msitools fp-utils)

wanted=("${packages[@]}")
[ "${1:-}" = "--test" ] && wanted+=("${test_packages[@]}")
[ "${1:-}" = "--package" ] && wanted+=("${package_packages[@]}")

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}" >&2
run() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
export DEBIAN_FRONTEND=noninteractive
run apt-get update -qq
run apt-get install -y -qq --no-install-recommends "${missing[@]}"
