#!/usr/bin/env bash
# Pictures of the about page for the documentation: docs/screenshots/about.png in English and
# docs/screenshots/about-german.png with docs/german.lng beside the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NIMBREL_ROOT"

install_packages
build_preset win64

copy="$NIMBREL_ROOT/build/about-german"
cleanup() {
  stop_session
  rm -rf "$copy"
}
trap cleanup EXIT
start_xvfb
start_wine_session
put_past_first_run

# Starts the program in the folder, turns to its third tab and saves the window's picture.
shoot() {
  local folder=$1 out=$2
  "$WINE" "$folder/nimbrel.exe" &
  local pid=$!
  sleep 4
  xdotool key ctrl+Tab
  sleep 0.5
  xdotool key ctrl+Tab
  sleep 1
  import -window root -crop 1024x740+0+0 +repage "$out"
  convert "$out" -trim +repage "$out"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  say "saved $out"
}

mkdir -p docs/screenshots "$copy"
shoot build/win64/bin docs/screenshots/about.png
cp build/win64/bin/nimbrel.exe build/win64/bin/help.htm docs/german.lng "$copy"
shoot "$copy" docs/screenshots/about-german.png
