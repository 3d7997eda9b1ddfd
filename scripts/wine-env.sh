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

. "$(dirname "${BASH_SOURCE[0]}")/wine-display.sh"
start_private_display

cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  stop_private_display
}
trap cleanup EXIT

if [ ! -f "$WINEPREFIX/.pelorin-ready-2" ]; then
  echo "wine-env: creating the Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  reg=$(mktemp --suffix=.reg)
  { echo REGEDIT4; echo; pelorin_font_replacements; echo; cat <<'REG'

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:00000060

[HKEY_CURRENT_USER\Control Panel\International]
"Locale"="00000409"
"sDecimal"="."
"sThousand"=","
"sShortDate"="M/d/yyyy"
"sDate"="/"
"sTime"=":"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts]
"LogPixels"=dword:00000060
REG
  } >"$reg"
  import_registry_file "$reg"
  rm -f "$reg"
  touch "$WINEPREFIX/.pelorin-ready-2"
fi

link_marlett

# One persistent server for the whole run: each test program then starts in a fraction of a second.
wineserver -p
# Start Wine's own background processes now, with their output going nowhere: started by the
# first test instead, they would keep that test's output pipe open and the test would never end.
wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
"$@"
