# Shared by run.sh and test.sh: packages, builds and the Wine session. Sourced, not run.

NIMBREL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
NIMBREL_PACKAGES=(
  cmake ninja-build g++ googletest clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  wine wine64 fonts-wine xvfb xauth xdotool imagemagick
  nsis zip chromium python3 python3-yaml
)

say() { printf '\n== %s\n' "$*"; }

install_packages() {
  local missing=()
  for package in "${NIMBREL_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' \
      || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "Installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build_preset() {
  say "Building $1"
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}

# The project's own Wine prefix and home, never ~/.wine. No menu builder, no Mono or Gecko
# prompts, and no crash debugger that would hold a crashed test's output open.
export WINEPREFIX="$NIMBREL_ROOT/build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"
WINE=/usr/lib/wine/wine64
NIMBREL_XVFB_PID=""

# A private X display for the run; remembered by process id so only it is stopped.
start_xvfb() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  NIMBREL_XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
  say "Xvfb on $DISPLAY (pid $NIMBREL_XVFB_PID)"
}

# The dialogs' font and the caption buttons' font come from fonts-wine. This Wine does not look
# for them where the package puts them, so the prefix gets its own copies; without them Wine
# falls back to whatever fontconfig offers and every text metric shifts.
install_wine_fonts() {
  local font fonts="$WINEPREFIX/drive_c/windows/Fonts"
  for font in tahoma.ttf tahomabd.ttf marlett.ttf sserife.fon; do
    if [ ! -f "/usr/share/wine/fonts/$font" ]; then
      echo "error: /usr/share/wine/fonts/$font is missing; install the package fonts-wine" >&2
      return 1
    fi
  done
  mkdir -p "$fonts"
  for font in /usr/share/wine/fonts/*; do
    [ -f "$fonts/${font##*/}" ] || cp "$font" "$fonts/"
  done
}

# Wine's server and a booted prefix before anything else starts a Wine process. Programs run on
# a virtual desktop: windows get Wine's own frames and a taskbar with a notification area, the
# same with or without a window manager.
start_wine_session() {
  mkdir -p "$WINEPREFIX" "$NIMBREL_ROOT/build/home"
  export HOME="$NIMBREL_ROOT/build/home"
  wineserver -p
  "$WINE" wineboot </dev/null >/dev/null 2>&1
  install_wine_fonts
  # A new prefix has Wine's Light theme on, and the program's Common Controls 6 takes it up:
  # tests and pictures see the classic look unless they switch the theme on themselves.
  use_light_theme 0
  if ! "$WINE" reg query 'HKCU\Software\Wine\Explorer' /v Desktop >/dev/null 2>&1; then
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f \
      >/dev/null 2>&1
    # The desktop reads its settings when it starts: start it again.
    wineserver -k
    wineserver -w
    wineserver -p
    "$WINE" wineboot </dev/null >/dev/null 2>&1
  fi
}

# Wine's Light theme on (1) or off (0) for the programs started next.
use_light_theme() {
  local theme='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
  "$WINE" reg add "$theme" /v DllName /d 'C:\windows\resources\themes\light\light.msstyles' \
    /f >/dev/null 2>&1
  "$WINE" reg add "$theme" /v ColorName /d Blue /f >/dev/null 2>&1
  "$WINE" reg add "$theme" /v SizeName /d NormalSize /f >/dev/null 2>&1
  "$WINE" reg add "$theme" /v ThemeActive /d "$1" /f >/dev/null 2>&1
}

# A known, not-first-run state for pictures of the pages, so no keep-alive URL dialog comes first.
put_past_first_run() {
  "$WINE" reg add 'HKCU\SOFTWARE\QUADDLE\nimbrel2' /v FirstTime /t REG_DWORD /d 0 /f >/dev/null 2>&1
  "$WINE" reg add 'HKCU\SOFTWARE\QUADDLE\nimbrel2' /v URL1 /d 'http://www.example.com' /f \
    >/dev/null 2>&1
}

# Fails when an exe has grown past its limit in bytes; prints its size either way.
check_exe_size() {
  local exe=$1 limit=$2 size
  size=$(stat -c %s "$exe")
  printf '%s: %d bytes (limit %d)\n' "$exe" "$size" "$limit"
  if [ "$size" -gt "$limit" ]; then
    echo "error: $exe is larger than $limit bytes" >&2
    return 1
  fi
}

stop_session() {
  wineserver -k 2>/dev/null || true
  if [ -n "$NIMBREL_XVFB_PID" ]; then
    kill "$NIMBREL_XVFB_PID" 2>/dev/null || true
    wait "$NIMBREL_XVFB_PID" 2>/dev/null || true
  fi
}
