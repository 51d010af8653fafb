#!/usr/bin/env bash
# A clean win64 build of this source tree in another folder must give byte-identical release
# files to the regular win64 build: nimbrel.exe, the installer and the portable zip. On a fresh
# clone (CI) both are clean builds.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NIMBREL_ROOT"

say "Release files of the regular win64 build"
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target package >/dev/null
regular_exe="$NIMBREL_ROOT/build/win64/bin/nimbrel.exe"
regular_dist=$(cmake -L -N build/win64 | sed -n 's/^NIMBREL_DIST_DIR:PATH=//p')

say "A clean win64 build in another folder"
work="$NIMBREL_ROOT/build/reproducible"
rm -rf "$work"
cmake -S . -B "$work/build" -G Ninja --toolchain cmake/toolchain-mingw64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DNIMBREL_TESTS=OFF -DNIMBREL_DIST_DIR="$work/dist" >/dev/null
cmake --build "$work/build" --target package >/dev/null

different=0
compare() {
  local difference
  if difference=$(cmp "$1" "$2"); then
    echo "same: ${1##*/} ($(stat -c %s "$1") bytes)"
  else
    echo "DIFFERENT: $difference" >&2
    different=1
  fi
}
compare "$regular_exe" "$work/build/bin/nimbrel.exe"
release_files=("$work"/dist/Nimbrel-*-setup.exe "$work"/dist/Nimbrel-*-portable.zip)
[ ${#release_files[@]} -eq 2 ] || { echo "error: expected one installer and one zip" >&2; exit 1; }
for file in "${release_files[@]}"; do
  compare "$regular_dist/${file##*/}" "$file"
done
[ "$different" -eq 0 ] || exit 1
say "The win64 release files are reproducible"
