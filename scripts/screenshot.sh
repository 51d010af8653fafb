#!/usr/bin/env bash
# Starts Nimbrel with the given arguments on a private display and saves a picture of its window.
# Usage: scripts/screenshot.sh out.png [seconds to wait] [nimbrel arguments...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
out=$(realpath -m "$1")
wait_seconds=${2:-3}
shift $(($# >= 2 ? 2 : 1))
cd "$NIMBREL_ROOT"

trap stop_session EXIT
start_xvfb
start_wine_session
"$WINE" "$NIMBREL_ROOT/build/win64/bin/nimbrel.exe" "$@" &
sleep "$wait_seconds"
# The window sits on the virtual desktop's plain background; cut away that and the taskbar.
import -window root -crop 1024x740+0+0 +repage "$out"
convert "$out" -trim +repage "$out"
echo "saved $out"
