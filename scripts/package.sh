#!/usr/bin/env bash
# Builds the Debian package build/korvalin_<version>_<arch>.deb from the shipped
# build (scripts/build.sh build, the one the tests run on) with dpkg-buildpackage
# and debian/, and checks it: lintian finds no error, and the desktop entry and
# the AppStream description are valid.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh build
version=$(dpkg-parsechangelog --show-field Version)
architecture=$(dpkg-architecture --query DEB_HOST_ARCH)
name=korvalin_${version}_${architecture}
# Everything it makes goes to build/, nothing beside the source folder.
dpkg-buildpackage --build=binary --no-sign --buildinfo-file="build/$name.buildinfo" \
    --changes-file="build/$name.changes" --buildinfo-option=-ubuild --changes-option=-ubuild
debian/rules clean >/dev/null
lintian --fail-on error "build/$name.deb"
desktop-file-validate packaging/org.example.Korvalin.desktop
appstreamcli validate --no-net packaging/org.example.Korvalin.metainfo.xml
echo "Built and checked build/$name.deb"
