#!/usr/bin/env bash
# Takes a picture of Korvalin's main window under a virtual X display, with a
# few generated RealMedia files added through the Add Files dialog:
#   scripts/screenshot.sh [OUTPUT.png]     (default: docs/main-window.png)
# The program must be built (scripts/start.sh or scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/main-window.png}
screen_width=1024 screen_height=768 width=692 height=519
left=$(((screen_width - width) / 2)) top=$(((screen_height - height) / 2))
display=:$((90 + RANDOM % 100))

films=/tmp/Videos # short, so that the list shows the file names
[ ! -e "$films" ] || { echo "$films is in the way; move it first" >&2; exit 1; }
mkdir "$films"
names=("Holiday on the coast" "Concert 2003" "Lecture part 1")
for name in "${names[@]}"; do
    ffmpeg -v error -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine=sample_rate=44100 \
        -t $((40 + RANDOM % 200)) -c:v rv20 -c:a ac3 -ac 2 "$films/$name.rm"
done

Xvfb "$display" -screen 0 "${screen_width}x${screen_height}x24" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb $korvalin 2>/dev/null || true; rm -rf "$films"' EXIT
sleep 1
export DISPLAY=$display
build/dist/Korvalin >/dev/null 2>&1 &
korvalin=$!
sleep 3
# The window opens centred on the screen; Add Files stands at (555, 289), 110 x 28.
xdotool mousemove $((left + 610)) $((top + 303)) click 1
sleep 1
xdotool type "$films/"
xdotool key Return
sleep 0.5
xdotool type "$(printf '"%s.rm" ' "${names[@]}")"
xdotool key Return
sleep 2
import -window root -crop "${width}x${height}+${left}+${top}" "$output"
echo "Saved $output"
