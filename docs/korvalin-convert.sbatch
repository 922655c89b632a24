#!/bin/bash
# Converts an archive on a Slurm cluster with a job array: one RealMedia file a
# task, each task on one core. Make the list once, then submit the array:
#
#   find /archive \( -iname '*.rm' -o -iname '*.rmvb' \) | sort > files.txt
#   sbatch --array=1-$(wc -l < files.txt)%100 docs/korvalin-convert.sbatch files.txt /shared/out
#
# Slurm caps an array's size (MaxArraySize, 1001 unless the site raises it):
# submit a longer list in slices, each with OFFSET set to the lines before it:
#
#   sbatch --array=1-1000 --export=ALL,OFFSET=1000 docs/korvalin-convert.sbatch files.txt /shared/out
#
# TYPE (mp4) and QUALITY (normal) choose the output. Every task appends its
# line to /shared/out/korvalin-convert.jsonl under a lock; a task whose file is
# already converted with the same settings skips it, so the whole array may be
# submitted again after a failure. A task exits 1 for a file that failed or
# came out incomplete, which sacct shows.
#SBATCH --job-name=korvalin-convert
#SBATCH --cpus-per-task=1
#SBATCH --mem=1G
#SBATCH --time=01:00:00
#SBATCH --output=korvalin-convert-%A_%a.log
set -euo pipefail

list=${1:?usage: sbatch --array=1-N korvalin-convert.sbatch LIST OUTPUT-FOLDER}
output=${2:?usage: sbatch --array=1-N korvalin-convert.sbatch LIST OUTPUT-FOLDER}
exec korvalin-convert --type "${TYPE:-mp4}" --quality "${QUALITY:-normal}" --jobs 1 \
    --progress none --output "$output" --list "$list" \
    --index $((SLURM_ARRAY_TASK_ID + ${OFFSET:-0}))
