#!/usr/bin/env bash
# Installs what is missing, builds Korvalin and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh --desktop
scripts/build.sh build
exec build/dist/Korvalin "$@"
