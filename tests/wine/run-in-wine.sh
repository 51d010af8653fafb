#!/bin/sh
# ctest's emulator for the Windows test programs: the project's own prefix and display, quiet,
# with no menu builder, no Mono or Gecko prompts and no crash debugger.
: "${WINEPREFIX:?run the Windows tests through scripts/test.sh, which prepares the Wine session}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"
exec /usr/lib/wine/wine64 "$@"
