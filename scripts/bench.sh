#!/usr/bin/env bash
# Benchmark: builds Nimbrel, the minimal programs that are its baselines (tests/bench/) and the
# driver, then prints one Markdown table, every figure against its baseline from the same run.
# Usage: bash scripts/bench.sh [--quick]
#   --quick  idle periods of 10 s instead of 60 s (a faster, rougher look at the CPU figures)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NIMBREL_ROOT"

idle_seconds=60
case "${1:-}" in
  --quick) idle_seconds=10 ;;
  "") ;;
  *) echo "usage: bash scripts/bench.sh [--quick]" >&2; exit 2 ;;
esac

install_packages
say "Building Nimbrel, the minimal dialog and the benchmark driver"
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target nimbrel minimal_dialog minimal_sheet minimal_request \
  nimbrel_bench

# A prefix of the benchmark's own, so its settings and start-ups stay apart from the tests'.
export WINEPREFIX="$NIMBREL_ROOT/build/bench-wineprefix"
trap stop_session EXIT
start_xvfb
start_wine_session
say "Benchmark under Wine (idle periods of $idle_seconds s)"
"$WINE" build/win64/bin/nimbrel_bench.exe --idle-seconds "$idle_seconds"
