#!/usr/bin/env bash
# Runs a command with a private X display and the project's own Wine prefix.
#   scripts/wine-env.sh BUILD_DIR command args...
# The prefix lives in BUILD_DIR/wineprefix and is made on first use with the settings
# that change results pinned (code page 1252, English (United States), 96 dpi, fonts).
# Windows are not handed to a window manager ("Managed"="N"): there is none on the private
# display, and Wine would wait two seconds for it each time a window is hidden or destroyed.
set -euo pipefail
build=$(cd "$1" && pwd); shift

export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
{ export LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8; } 2>/dev/null
export TZ=${TZ:-UTC}

# A private display: Xvfb picks a free number and tells it through -displayfd.
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
read -r display <"$fifo"; rm -f "$fifo"
export DISPLAY=:$display

cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap cleanup EXIT

if [ ! -f "$WINEPREFIX/.pelorin-ready-2" ]; then
  echo "wine-env: creating the Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  reg=$(mktemp --suffix=.reg)
  cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:00000060

[HKEY_CURRENT_USER\Control Panel\International]
"Locale"="00000409"
"sDecimal"="."
"sThousand"=","
"sShortDate"="M/d/yyyy"
"sDate"="/"
"sTime"=":"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts]
"LogPixels"=dword:00000060
REG
  wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
  wineserver -w
  rm -f "$reg"
  touch "$WINEPREFIX/.pelorin-ready-2"
fi

# Wine draws the symbols of caption buttons, scroll arrows and menu check marks with its font
# Marlett (Debian's fonts-wine). This Wine build does not look into its own font folder, so the
# prefix's font folder links to the font; Wine's other fonts stay out, so that the fonts text is
# measured with stay what they were.
marlett=/usr/share/wine/fonts/marlett.ttf
if [ -f "$marlett" ] && [ ! -e "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  ln -sfn "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
fi

# One persistent server for the whole run: each test program then starts in a fraction of a second.
wineserver -p
# Start Wine's own background processes now, with their output going nowhere: started by the
# first test instead, they would keep that test's output pipe open and the test would never end.
wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
"$@"
