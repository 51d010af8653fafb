#!/usr/bin/env bash
# Sets up, builds and starts Nimbrel under Wine (on a private Xvfb display when there is none).
# Arguments are passed to the program, for example: scripts/run.sh -tray -on
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NIMBREL_ROOT"

install_packages
build_preset win64

trap stop_session EXIT
[ -n "${DISPLAY:-}" ] || start_xvfb
start_wine_session
# The look of today's Windows; the tests switch it off again for their own runs.
use_light_theme 1
say "Starting Nimbrel on $DISPLAY"
"$WINE" "$NIMBREL_ROOT/build/win64/bin/nimbrel.exe" "$@"
