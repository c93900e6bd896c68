#!/usr/bin/env bash
# Builds both packages into dist/: the Debian package (cpack in build/, or $QUILLBAY_BUILD_DIR) and the
# Windows installer (MinGW-w64 and wixl, in build-msi/). Installs what it needs first, like the other scripts.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLBAY_BUILD_DIR:-$root/build}
dist=$root/dist
msi_build=$root/build-msi

bash "$root/scripts/setup.sh" --package
mkdir -p "$dist"
rm -f "$dist"/quillbay_*.deb "$dist"/quillbay-*.msi

bash "$root/scripts/build.sh"
rm -f "$build"/quillbay_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
cp "$build"/quillbay_*.deb "$dist/"
echo "package: $(cd "$dist" && ls quillbay_*.deb)"

cd "$root"
cmake --preset windows-wine --no-warn-unused-cli -B "$msi_build" -DCMAKE_BUILD_TYPE=Release -DQUILLBAY_BUILD_TESTS=OFF \
  >/dev/null
if ! ninja -C "$msi_build" -t targets all | grep -q '^quillbay_msi:'; then
  echo "package: no Windows installer: this build has no quillbay.exe target yet" >&2
  exit 0
fi
cmake --build "$msi_build" --target quillbay_msi
cp "$msi_build"/packaging/windows/quillbay-*-x64.msi "$dist/"
echo "package: $(cd "$dist" && ls quillbay-*-x64.msi)"
