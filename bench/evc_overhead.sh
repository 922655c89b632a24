#!/usr/bin/env bash
# What evc.exe costs on top of ffmpeg: converts one generated 60-second RealMedia
# file to 3GP "Normal Quality" through evc.exe and with the same plain ffmpeg
# command, several runs each, and prints the median wall times and their ratio.
#
#   bench/evc_overhead.sh [BUILD_FOLDER] [RUNS]     (defaults: build 7)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-7}
evc=$build/dist/evc.exe
[ -x "$evc" ] || { echo "Build first: $evc is missing" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source=$work/clip.rm
ffmpeg -v error -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine=frequency=440:sample_rate=44100 \
    -t 60 -c:v rv20 -b:v 300k -c:a ac3 -ac 2 "$source"
printf 'DirectShowSource("%s", fps=29.9700898503294, convertfps=true)\r\n' "$source" >"$work/VideoFile.avs"

evc_run() {
    "$evc" -y -i "$work/VideoFile.avs" -vcodec mpeg4 -acodec aac -b 256 -s 176x144 -r 15 -aspect 4:3 \
        -ab 128 -vol 200 -ac 2 -ar 44100 -f 3gp "$work/evc.3gp" >/dev/null </dev/null
}
ffmpeg_run() {
    ffmpeg -v error -nostdin -y -i "$source" -c:v mpeg4 -b:v 256k -s 176x144 -r 15 -aspect 4:3 \
        -filter:v fps=29.9700898503294 -c:a aac -b:a 128k -ac 2 -ar 44100 -filter:a volume=2 \
        -f 3gp "$work/ffmpeg.3gp"
}
seconds() { # wall time of one call of the named function
    local start end
    start=$(date +%s.%N)
    "$1"
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

evc_times=() ffmpeg_times=()
for _ in $(seq "$runs"); do # interleaved, so that both see the same machine load
    evc_times+=("$(seconds evc_run)")
    ffmpeg_times+=("$(seconds ffmpeg_run)")
done
evc_median=$(printf '%s\n' "${evc_times[@]}" | median)
ffmpeg_median=$(printf '%s\n' "${ffmpeg_times[@]}" | median)
printf 'runs: %d each\n' "$runs"
printf 'evc.exe median: %.3f s\n' "$evc_median"
printf 'ffmpeg median:  %.3f s\n' "$ffmpeg_median"
printf 'ratio evc/ffmpeg: %.3f (target: at most 1.030)\n' \
    "$(awk -v a="$evc_median" -v b="$ffmpeg_median" 'BEGIN { print a / b }')"
