#!/usr/bin/env bash
# Sets up, checks the include order, builds and runs every test: the native logic tests (ASan
# and UBSan, then ThreadSanitizer), each fuzz target for 30 seconds on its seeds, and the
# Windows tests under Wine on a private Xvfb display, among them the installer and the help
# page in headless Chromium. First it checks that a clean build gives the same release files.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NIMBREL_ROOT"

install_packages
say "Include order"
python3 scripts/check-includes.py
say "Casts to function pointers"
python3 scripts/check-casts.py
build_preset native
build_preset native-tsan
build_preset fuzz
build_preset win64
build_preset win32
say "Release files of win32"
cmake --build --preset win32 --target package
bash scripts/check-reproducible.sh

say "Program size"
check_exe_size build/win64/bin/nimbrel.exe 300000
check_exe_size build/win32/bin/nimbrel.exe 330000

say "Native tests (ASan, UBSan)"
ctest --preset native -j2
say "Native tests (ThreadSanitizer)"
ctest --preset native-tsan -j2
say "Fuzz targets, 30 s each on their seeds"
ctest --preset fuzz -j2

trap stop_session EXIT
start_xvfb
start_wine_session
say "Windows tests under Wine"
ctest --preset win64
