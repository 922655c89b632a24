#!/usr/bin/env bash
# Builds the Debian package build/korvalin_<version>_amd64.deb from the shipped
# build (scripts/build.sh build) and checks it: lintian finds no error, and the
# desktop entry and the AppStream description are valid.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh build
(cd build && cpack -G DEB)
package=$(ls -t build/korvalin_*_amd64.deb | head -n 1)
lintian --fail-on error "$package"
desktop-file-validate packaging/org.example.Korvalin.desktop
appstreamcli validate --no-net packaging/org.example.Korvalin.metainfo.xml
echo "Built and checked $package"
