#!/usr/bin/env bash
# Takes a picture of Korvalin's main window under a virtual X display:
#   scripts/screenshot.sh [OUTPUT.png]     (default: docs/main-window.png)
# The program must be built (scripts/start.sh or scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/main-window.png}
screen_width=1024 screen_height=768 width=692 height=519
display=:$((90 + RANDOM % 100))

Xvfb "$display" -screen 0 "${screen_width}x${screen_height}x24" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb $korvalin 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display build/dist/Korvalin >/dev/null 2>&1 &
korvalin=$!
sleep 3
# The window opens centred on the screen.
DISPLAY=$display import -window root \
    -crop "${width}x${height}+$(((screen_width - width) / 2))+$(((screen_height - height) / 2))" "$output"
echo "Saved $output"
