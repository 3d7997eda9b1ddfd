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

desktop_prefixes=()
cleanup() {
  local p
  for p in "${desktop_prefixes[@]}"; do WINEPREFIX=$p wineserver -k >/dev/null 2>&1 || true; done
  wineserver -k >/dev/null 2>&1 || true
  stop_private_display
}
trap cleanup EXIT

# The prefix is made anew when it was made by another Wine (the ready file names the version).
wine_version=$(wine --version 2>/dev/null | head -n 1)
ready=$WINEPREFIX/.pelorin-ready-3
if [ ! -f "$ready" ] || [ "$(cat "$ready")" != "$wine_version" ]; then
  echo "wine-env: creating the Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # Wine fills the system folder with copies of its own libraries, most of the prefix (over 600
  # MB): each copy that is the same as Wine's file becomes a link to it. Wine never updates this
  # prefix by itself (it would write through the links into its own files); a new Wine gets a new
  # prefix, see above.
  echo disable >"$WINEPREFIX/.update-timestamp"
  wine_libraries=$(dirname "$(readlink -f "$(command -v wine)")")/../lib/x86_64-linux-gnu/wine/x86_64-windows
  [ -d "$wine_libraries" ] || wine_libraries=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
  for file in "$WINEPREFIX"/drive_c/windows/system32/*; do
    own=$wine_libraries/$(basename "$file")
    if [ -f "$file" ] && [ ! -L "$file" ] && [ -f "$own" ] && cmp -s "$file" "$own"; then ln -sf "$own" "$file"; fi
  done
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
  echo "$wine_version" >"$ready"
fi

link_marlett

# Wine starts the program owning a desktop when the first program needs the desktop, and ends it
# soon after the last one has gone; started by a test, it holds that test's output open, and ctest
# counts the test as running until its time-out. A program of ours makes the desktop and keeps it
# in use from the start (when it has been built); the tests start only once it has made it.
keep_desktop() {
  if [ -f "$build/bin/KeepDesktop.exe" ]; then
    local ready
    ready=$(mktemp -u "$build/.desktop-ready.XXXXXX")
    wine "$build/bin/KeepDesktop.exe" "Z:${ready//\//\\}" </dev/null >/dev/null 2>&1 &
    keep_desktop_ready+=("$ready")
  fi
}
keep_desktop_ready=()

# Waits until every desktop started by keep_desktop is made (bounded: a desktop that does not come
# is said, and the tests run all the same).
wait_for_desktops() {
  local ready waited
  for ready in "${keep_desktop_ready[@]}"; do
    for ((waited = 0; waited < 1200; waited++)); do
      if [ -e "$ready" ]; then break; fi
      sleep 0.1
    done
    if [ -e "$ready" ]; then rm -f "$ready"; else echo "wine-env: a desktop was not made within 120 s" >&2; fi
  done
  keep_desktop_ready=()
}

# One persistent server for the whole run: each test program then starts in a fraction of a second.
wineserver -p
# Start Wine's own background processes now, with their output going nowhere: started by the
# first test instead, they would keep that test's output pipe open and the test would never end.
wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
keep_desktop

# Desktops for the tests whose windows take the focus or the foreground (ctest resource
# "desktops", scripts/on-desktop.sh): each a copy of the prefix with a display and a Wine server of
# its own, so that such tests run side by side without taking the focus from each other, nor from
# the windows of the other tests, which run on this display. PELORIN_DESKTOPS sets how many
# (default: 4, also on a machine of 2 processors: those tests spend most of their time waiting
# for the program's timers and for peer programs, not computing).
desktops=${PELORIN_DESKTOPS:-4}
entries=
for ((i = 1; i <= desktops; i++)); do
  copy=$build/wineprefix-desktop$i
  if [ ! -f "$copy/.pelorin-copy-of-ready" ] || [ "$ready" -nt "$copy/.pelorin-copy-of-ready" ]; then
    rm -rf "$copy"
    # The system folder and the side-by-side assemblies, never written once the prefix is made, are
    # shared through hard links; the rest (the registry, the users' folders) is copied, but for the
    # file naming the folder of the prefix's Wine server: each copy's server makes its own.
    mkdir -p "$copy"
    tar -C "$WINEPREFIX" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/winsxs \
      --exclude=./wineserver -cf - . | tar -C "$copy" -xf -
    for shared in system32 winsxs; do
      cp -al "$WINEPREFIX/drive_c/windows/$shared" "$copy/drive_c/windows/$shared"
    done
    rm -rf "$copy/drive_c/users/$(id -un)/Temp"/*
    touch "$copy/.pelorin-copy-of-ready"
  fi
  start_extra_display
  desktop_prefixes+=("$copy")
  WINEPREFIX=$copy wineserver -p
  DISPLAY=$extra_display WINEPREFIX=$copy wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
  DISPLAY=$extra_display WINEPREFIX=$copy keep_desktop
  export "PELORIN_DESKTOP_${i}_DISPLAY=$extra_display" "PELORIN_DESKTOP_${i}_PREFIX=$copy"
  entries+="${entries:+, }{\"id\": \"$i\", \"slots\": 1}"
done
echo "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"desktops\": [$entries]}]}" >"$build/desktops.json"
wait_for_desktops

# ctest hands the desktops out as it starts the tests that ask for one.
if [ "$(basename "$1")" = ctest ]; then
  set -- "$1" --resource-spec-file "$build/desktops.json" "${@:2}"
fi
# Programs that Wine ended before they ran (scripts/on-desktop.sh) are said at the end.
export PELORIN_START_FAILURES=$build/start-failures.txt
rm -f "$PELORIN_START_FAILURES"
status=0
"$@" || status=$?
if [ -s "$PELORIN_START_FAILURES" ]; then
  echo "wine-env: programs that Wine ended before they ran, each started once more:" >&2
  cat "$PELORIN_START_FAILURES" >&2
fi
exit "$status"
