#!/usr/bin/env bash
# Runs one fuzz target for a while on its seeds: run-target.sh TARGET SECONDS SEEDS WORK.
# New inputs and any crash go to WORK, never into the seeds in the tree.
set -euo pipefail
target=$1 seconds=$2 seeds=$3 work=$4
dict="$(dirname "${BASH_SOURCE[0]}")/dict/$(basename "$seeds").dict"
options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
  -artifact_prefix="$work/")
[ -f "$dict" ] && options+=(-dict="$dict")
mkdir -p "$work/corpus"
# The file targets write a small file on every run: a memory-backed folder keeps them fast.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
exec "$target" "${options[@]}" "$work/corpus" "$seeds"
