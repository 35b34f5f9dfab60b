#!/usr/bin/env bash
# Builds the Debian packages into build/packages/ and checks them: lintian must report no error,
# the desktop entry and the AppStream data must validate. Prints each package's installed size.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh lib window python package
cmake --preset package >/dev/null
cmake --build --preset package --parallel "$(nproc)"
rm -rf build/package/cpack build/packages
cpack --preset package >build/package/cpack.log 2>&1 || { cat build/package/cpack.log; exit 1; }
mkdir -p build/packages
cp build/package/cpack/*.deb build/packages/

echo "== packages (installed size)"
for deb in build/packages/*.deb; do
  printf '%-24s %6s KiB  %s\n' "$(dpkg-deb -f "$deb" Package)" "$(dpkg-deb -f "$deb" Installed-Size)" \
    "$(basename "$deb")"
done

echo "== lintian"
lintian --fail-on error build/packages/*.deb || { echo "package.sh: lintian reports errors" >&2; exit 1; }
echo "lintian: no errors"

echo "== desktop entry and AppStream data"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x build/packages/velunta-window_*.deb "$unpacked"
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
echo "packages in build/packages/"
