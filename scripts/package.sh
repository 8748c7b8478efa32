#!/usr/bin/env bash
# Builds the Debian package from an existing build directory and checks it with lintian:
# any lintian error fails. Prints the package's name.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/rivwood_*.deb | head -n 1)
echo "package: $deb"
# Its dependencies are this release's library versions: the package is for this release.
if [ -r /etc/os-release ]; then
  (. /etc/os-release && echo "built for: ${PRETTY_NAME:-$ID}")
fi
dpkg-deb --info "$deb" | sed -n '/Depends/p;/Recommends/p'
if command -v lintian >/dev/null; then
  # Root may run lintian only when told so; the package is ours, not untrusted input.
  lintian --allow-root --fail-on error "$deb"
fi
