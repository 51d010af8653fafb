#!/usr/bin/env bash
# Pictures of the three pages in Wine's Light theme for the documentation, at 100 % and 150 %:
# docs/screenshots/themed-<page>.png and themed-150-<page>.png. The prefix gets the theme and the
# scale before the program starts, and both go again at the end.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NIMBREL_ROOT"

install_packages
build_preset win64

desktop='HKCU\Control Panel\Desktop'
cleanup() {
  use_light_theme 0
  "$WINE" reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 || true
  stop_session
}
trap cleanup EXIT
start_xvfb
start_wine_session
put_past_first_run
use_light_theme 1

# Starts the program at the scale (LogPixels), saves each page in turn and ends it.
shoot() {
  local dpi=$1 prefix=$2 page pid out
  "$WINE" reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  # Wine reads the scale when the prefix starts.
  wineserver -k
  wineserver -w
  wineserver -p
  "$WINE" wineboot </dev/null >/dev/null 2>&1
  "$WINE" build/win64/bin/nimbrel.exe &
  pid=$!
  sleep 10
  for page in status settings about; do
    out="docs/screenshots/$prefix-$page.png"
    import -window root -crop 1024x740+0+0 +repage "$out"
    convert "$out" -trim +repage "$out"
    say "saved $out"
    xdotool key ctrl+Tab
    sleep 3
  done
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

shoot 96 themed
shoot 144 themed-150
