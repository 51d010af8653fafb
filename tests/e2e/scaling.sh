#!/usr/bin/env bash
# The scaling checks of the real program at 125, 150 and 200 % (100 % is the ordinary run's):
# a Wine prefix of their own gets each LogPixels in turn and is started again, as Wine reads
# the scale only when it starts. With NIMBREL_SCALING_SHOTS set to a folder, the test saves a
# picture of each page there (page-<index>-<dpi>.bmp) and this script turns them into PNGs.
# Usage: tests/e2e/scaling.sh <folder of nimbrel_e2e_tests.exe and nimbrel.exe>
set -euo pipefail
bin=$1
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
export WINEPREFIX="$NIMBREL_ROOT/build/wineprefix-scaling"
trap 'wineserver -k 2>/dev/null || true' EXIT
start_wine_session

shots=${NIMBREL_SCALING_SHOTS:-}
shots_for_wine=""
if [ -n "$shots" ]; then
  mkdir -p "$shots"
  shots_for_wine=$("$WINE" winepath -w "$(realpath "$shots")" 2>/dev/null | tr -d '\r')
fi

failed=0
for dpi in 120 144 192; do
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >/dev/null 2>&1
  wineserver -k
  wineserver -w
  wineserver -p
  "$WINE" wineboot </dev/null >/dev/null 2>&1
  echo "== LogPixels $dpi"
  NIMBREL_EXPECTED_DPI=$dpi NIMBREL_SCALING_SHOTS=$shots_for_wine \
    "$WINE" "$bin/nimbrel_e2e_tests.exe" \
    --gtest_filter='Scaling.EveryPage*' || failed=1
done

if [ -n "$shots" ]; then
  for shot in "$shots"/*.bmp; do
    [ -f "$shot" ] || continue
    convert "$shot" -strip "${shot%.bmp}.png" && rm "$shot"
  done
fi
exit "$failed"
