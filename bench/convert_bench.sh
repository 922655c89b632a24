#!/usr/bin/env bash
# korvalin-convert's speed and memory. Converts 6 generated 60-second RealMedia
# clips to MP4 "superb" with --jobs 1 and with --jobs 2, and runs the limit: the
# same ffmpeg conversions two at a time under GNU parallel. Then its own peak
# memory (the encoders aside) with 20,000 files listed: a run that finds all of
# them done in a record of 20,000 lines, and a run that starts on 20,000 files
# and is stopped after a while.
#
#   bench/convert_bench.sh [BUILD_FOLDER] [RUNS]     (defaults: build 3)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-3}
convert=$build/dist/korvalin-convert
[ -x "$convert" ] || { echo "Build first: $convert is missing" >&2; exit 1; }
command -v parallel >/dev/null || { echo "GNU parallel is missing: sudo apt install parallel" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/clips"
for n in 1 2 3 4 5 6; do
    ffmpeg -v error -f lavfi -i "testsrc=size=320x240:rate=25" -f lavfi \
        -i "sine=frequency=$((300 + 50 * n)):sample_rate=44100" -t 60 -c:v rv20 -b:v 300k \
        -c:a ac3 -ac 2 "$work/clips/clip$n.rm"
done

# MP4 "superb" as the window and korvalin-convert give it to evc.exe, run by ffmpeg itself,
# into the folder OUT names.
plain_ffmpeg() {
    ffmpeg -hide_banner -nostdin -nostats -loglevel error -y -ss 00:00:00 -i "file:$1" -t 60 \
        -c:v mpeg4 -b:v 512k -s 160x112 -r 14.985 -aspect 4:3 -filter:v fps=29.9700898503294 \
        -c:a aac -aac_coder fast -b:a 224k -ac 1 -ar 22050 -filter:a \
        "aformat=sample_rates=22050:channel_layouts=mono,volume=2,alimiter=limit=0.841:attack=5:release=50:level=false:latency=true" \
        "file:$OUT/$(basename "$1" .rm).mp4"
}
export -f plain_ffmpeg
export OUT=$work/out

seconds() { # wall time of one command
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
fresh() { rm -rf "$work/out" && mkdir "$work/out"; }

one=() two=() limit=()
for _ in $(seq "$runs"); do # interleaved, so that all three see the same machine load
    fresh; one+=("$(seconds "$convert" -t mp4 -q superb -j 1 --progress none -o "$work/out" "$work/clips")")
    fresh; two+=("$(seconds "$convert" -t mp4 -q superb -j 2 --progress none -o "$work/out" "$work/clips")")
    fresh; limit+=("$(seconds parallel --will-cite -j 2 plain_ffmpeg ::: "$work"/clips/*.rm)")
done
one_median=$(printf '%s\n' "${one[@]}" | median)
two_median=$(printf '%s\n' "${two[@]}" | median)
limit_median=$(printf '%s\n' "${limit[@]}" | median)
printf 'runs: %d each, 6 clips of 60 s, MP4 superb\n' "$runs"
printf 'korvalin-convert --jobs 1: %.2f s\n' "$one_median"
printf 'korvalin-convert --jobs 2: %.2f s (%.3f of --jobs 1; target at most 0.55)\n' "$two_median" \
    "$(awk -v a="$two_median" -v b="$one_median" 'BEGIN { print a / b }')"
printf 'ffmpeg two at a time under GNU parallel: %.2f s (--jobs 2 takes %.3f of it; target at most 1.05)\n' \
    "$limit_median" "$(awk -v a="$two_median" -v b="$limit_median" 'BEGIN { print a / b }')"

# Peak resident memory of a run, read while it runs, in MB; with a time
# limit, the run is stopped by SIGTERM when it is up.
peak_memory() {
    local limit=$1 peak=0 now
    shift
    "$@" >/dev/null &
    local pid=$!
    [ "$limit" -eq 0 ] || (sleep "$limit" && kill -TERM "$pid") >/dev/null 2>&1 &
    while kill -0 "$pid" 2>/dev/null; do
        now=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status" 2>/dev/null || echo 0)
        [ "${now:-0}" -gt "$peak" ] && peak=$now
        sleep 0.2
    done
    wait "$pid" || true
    echo $((peak / 1024))
}
# 20,000 names for one 3-second clip, and a record that shows each of them converted.
mkdir "$work/many"
ffmpeg -v error -f lavfi -i "testsrc=size=176x144:rate=25" -f lavfi -i "sine=sample_rate=44100" \
    -t 3 -c:v rv20 -c:a ac3 "$work/many/clip00000.rm"
for n in $(seq -w 1 19999); do ln "$work/many/clip00000.rm" "$work/many/clip$n.rm"; done
find "$work/many" -name '*.rm' | sort >"$work/files.txt"
fresh
"$convert" -t mp3 -q low -j 1 --progress none -o "$work/out" "$work/many/clip00000.rm" >/dev/null
# The line goes through the environment: awk -v would undo the escapes in its JSON.
line=$(cat "$work/out/korvalin-convert.jsonl")
line=$line awk \
    '{ copy = ENVIRON["line"]; gsub("clip00000[.]rm", substr($0, length($0) - 11), copy); print copy }' \
    "$work/files.txt" >"$work/out/korvalin-convert.jsonl"
start=$(date +%s.%N)
done_peak=$(peak_memory 0 "$convert" -t mp3 -q low -j 2 --progress none -o "$work/out" --list "$work/files.txt")
end=$(date +%s.%N)
printf '20,000 files listed, all done already: peak %d MB, %d skipped in %.0f s (target at most 50 MB)\n' \
    "$done_peak" "$(grep -c '"outcome":"skipped"' "$work/out/korvalin-convert.jsonl")" \
    "$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')"

fresh
running_peak=$(peak_memory 30 "$convert" -t mp3 -q low -j 2 --progress none -o "$work/out" --list "$work/files.txt")
printf '20,000 files listed, converting, stopped after 30 s: peak %d MB, %d files converted (target at most 50 MB)\n' \
    "$running_peak" "$(grep -c '"outcome":"converted"' "$work/out/korvalin-convert.jsonl")"
