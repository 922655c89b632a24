#!/usr/bin/env bash
# Takes pictures of Korvalin under a virtual X display: the splash, the main
# window with a few generated RealMedia files added through the Add Files dialog
# and one of them playing, the about box, then the progress window while they
# are converted:
#   scripts/screenshot.sh [MAIN.png [PROGRESS.png [SPLASH.png [ABOUT.png]]]]
#   (defaults: docs/main-window.png, docs/progress-window.png, docs/splash.png
#   and docs/about.png)
# The program must be built (scripts/start.sh or scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/main-window.png}
progress_output=${2:-docs/progress-window.png}
splash_output=${3:-docs/splash.png}
about_output=${4:-docs/about.png}
screen_width=1024 screen_height=768 width=692 height=519
left=$(((screen_width - width) / 2)) top=$(((screen_height - height) / 2))
display=:$((90 + RANDOM % 100))

films=/tmp/Videos # short, so that the list shows the file names
[ ! -e "$films" ] || { echo "$films is in the way; move it first" >&2; exit 1; }
mkdir "$films"
names=("Holiday on the coast" "Concert 2003" "Lecture part 1")
seconds=(238 183 41)
for index in "${!names[@]}"; do
    ffmpeg -v error -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine=sample_rate=44100 \
        -t "${seconds[$index]}" -c:v rv20 -c:a ac3 -ac 2 "$films/${names[$index]}.rm"
done
output_folder=$(mktemp -d)

Xvfb "$display" -screen 0 "${screen_width}x${screen_height}x24" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb $korvalin 2>/dev/null || true; pkill -x evc.exe -P $korvalin 2>/dev/null || true
      rm -rf "$films" "$output_folder"' EXIT
sleep 1
export DISPLAY=$display
build/dist/Korvalin >/dev/null 2>&1 &
korvalin=$!
sleep 1 # the splash, 420 x 260 in the middle of the screen, stays for two seconds
import -window root -crop "420x260+$(((screen_width - 420) / 2))+$(((screen_height - 260) / 2))" \
    "$splash_output"
echo "Saved $splash_output"
sleep 2.5
# The window opens centred on the screen; Add Files stands at (555, 289), 110 x 28.
xdotool mousemove $((left + 610)) $((top + 303)) click 1
sleep 1
xdotool type "$films/"
xdotool key Return
sleep 0.5
xdotool type "$(printf '"%s.rm" ' "${names[@]}")"
xdotool key Return
sleep 2
# Play the first row (Play at (36, 261), 25 x 25), then drag the start marker
# (left edge at 23 on the trim bar at (22, 234)) and the end marker (at 262)
# inwards, so that the preview jumps to the new start.
xdotool mousemove $((left + 48)) $((top + 273)) click 1
sleep 2
xdotool mousemove $((left + 32)) $((top + 243)) mousedown 1 mousemove $((left + 60)) $((top + 243)) \
    mousemove $((left + 92)) $((top + 243)) mouseup 1
xdotool mousemove $((left + 271)) $((top + 243)) mousedown 1 mousemove $((left + 250)) $((top + 243)) \
    mousemove $((left + 221)) $((top + 243)) mouseup 1
xdotool mousemove $((left + 150)) $((top + 290)) # off the video area and the list
sleep 2
import -window root -crop "${width}x${height}+${left}+${top}" "$output"
echo "Saved $output"

# About (at (618, 73), 48 x 48) shows Form.dll's box over the window; Return closes it.
xdotool mousemove $((left + 642)) $((top + 97)) click 1
sleep 1
import -window root -crop "${width}x${height}+${left}+${top}" "$about_output"
echo "Saved $about_output"
xdotool key Return
sleep 0.5

# Convert (at 555, 391; 110 x 40) into a folder of our own, and a picture halfway
# through the first file. The output folder is typed into the folder browser.
xdotool mousemove $((left + 630)) $((top + 198)) click 1
sleep 1
xdotool type "$output_folder"
xdotool key Return
sleep 0.5
xdotool mousemove $((left + 610)) $((top + 411)) click 1
sleep 6
import -window root -crop "${width}x${height}+${left}+${top}" "$progress_output"
echo "Saved $progress_output"
