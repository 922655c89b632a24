#!/usr/bin/env bash
# Plays what the H.264 output type makes in a real browser: a generated
# RealMedia clip is converted by korvalin-convert, then headless Chromium loads
# the output in a <video> element and reports the width and height of its
# picture (0 when the browser cannot decode the video) and its length. The
# MPEG-4 type's output is loaded too, for comparison. Not part of the test run: it needs
# Chromium (scripts/setup.sh --browser).
#   tests/browser/h264_plays_in_chromium.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
scripts/setup.sh --browser
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ffmpeg -v error -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine=sample_rate=44100 \
    -t 6 -c:v rv20 -c:a ac3 -ac 2 "$work/clip.rm"
for type in h264 mp4; do
    "$build/dist/korvalin-convert" -t "$type" -o "$work/$type" --progress none "$work/clip.rm" >/dev/null
done

cat > "$work/page.html" <<'HTML'
<!DOCTYPE html>
<html><body><pre id="report"></pre><script>
const report = document.getElementById('report');
function load(name) {
  return new Promise(done => {
    const video = document.createElement('video');
    video.muted = true;
    video.onloadedmetadata = () =>
      done(`${name}: videoWidth=${video.videoWidth} videoHeight=${video.videoHeight} ` +
           `duration=${video.duration.toFixed(2)}`);
    video.onerror = () => done(`${name}: error ${video.error && video.error.code}`);
    video.src = name;
  });
}
Promise.all([load('h264/clip.mp4'), load('mp4/clip.mp4')]).then(lines => {
  report.textContent = lines.join('\n') + '\ndone';
});
</script></body></html>
HTML

chromium --headless --no-sandbox --disable-gpu --mute-audio --allow-file-access-from-files \
    --virtual-time-budget=20000 --dump-dom "file://$work/page.html" 2>/dev/null |
    sed -n '/<pre id="report">/,/<\/pre>/{s/.*<pre id="report">//;s/<\/pre>.*//;p}' |
    tee "$work/report"
grep -q '^done' "$work/report" || { echo "the page did not finish" >&2; exit 1; }
grep -Eq '^h264/clip.mp4: videoWidth=640 videoHeight=480 duration=6\.0[0-9]$' \
    "$work/report" || { echo "the H.264 output shows no picture" >&2; exit 1; }
echo "The H.264 output plays with its picture."
