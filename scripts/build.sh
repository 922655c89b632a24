#!/usr/bin/env bash
# Configures (once) and builds one build folder: scripts/build.sh FOLDER [CMAKE OPTIONS...]
set -euo pipefail
cd "$(dirname "$0")/.."

folder=$1
shift
if [ ! -f "$folder/build.ninja" ]; then
    cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVALIN_WERROR=ON "$@"
fi
cmake --build "$folder" --parallel "$(nproc)"
