#!/usr/bin/env bash
# Installs the Debian packages Korvalin needs to build, run and test, and only
# those that are missing. Works as root and as a user with sudo.
#   scripts/setup.sh [--desktop | --browser]
#     --desktop: also what a user's desktop needs beside Korvalin, the viewer
#                for Help.chm
#     --browser: also the web browser that tests/browser/ plays outputs in
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev clang-format
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libmpv-dev libavformat-dev libavcodec-dev libjpeg-dev ffmpeg
    nlohmann-json3-dev libssl-dev
    googletest libgtest-dev libgmock-dev parallel
    xvfb xauth xdotool fp-utils imagemagick
    librsvg2-bin debhelper lintian desktop-file-utils appstream
)
[ "${1:-}" != --desktop ] || packages+=(xchm xdg-utils)
[ "${1:-}" != --browser ] || packages+=(chromium)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
echo "Installing: ${missing[*]}"
as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
