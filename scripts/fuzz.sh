#!/usr/bin/env bash
# Runs every fuzz target longer than the test command does, one at a time:
#   bash scripts/fuzz.sh [seconds per target, default 600] [target ...]
# Each keeps what it learns in build/fuzz/tests/fuzz/work/<target>/corpus, so a second run goes
# on from there; a finding lands beside it as crash-* and ends the script with a failure.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NIMBREL_ROOT"

seconds=${1:-600}
if [ $# -gt 0 ]; then shift; fi
build_preset fuzz
bin=build/fuzz/tests/fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$bin"/fuzz_*; do targets+=("${program##*/fuzz_}"); done
fi

failed=0
summary=()
for target in "${targets[@]}"; do
  say "Fuzzing $target for $seconds s"
  work="$bin/work/$target"
  mkdir -p "$work"
  if nice tests/fuzz/run-target.sh "$bin/fuzz_$target" "$seconds" "tests/fuzz/corpus/$target" \
      "$work" >"$work/log" 2>&1; then
    result="no finding"
  else
    result="FINDING, see $work/log"
    failed=1
  fi
  done_line=$(awk '/^#[0-9]+[ \t]+DONE/ { line = $0 } END { print line }' "$work/log")
  summary+=("$(printf '%-15s %s | %s' "$target" "${done_line:-no final stats}" "$result")")
done
say "Summary"
printf '%s\n' "${summary[@]}"
exit "$failed"
