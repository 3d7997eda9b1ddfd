#!/usr/bin/env bash
# Installs what is needed, builds Pelorin and starts it under Wine.
#   ./run.sh            Pelorin with its own settings (on a fresh machine: its demonstration project)
#   ./run.sh FOLDER     Pelorin on the Paratext projects in FOLDER (a Linux path), checked where
#                       they are: results files are written beside their books
# Pelorin runs in a Wine prefix of its own for the user (PELORIN_WINEPREFIX, by default
# ~/.local/share/pelorin/wineprefix), not in the tests' prefix; on the user's display when there
# is one, otherwise on a private virtual display. The script ends when Pelorin ends (not when it
# ends only to be started again by restart.exe).
set -euo pipefail

folder=
if [ $# -ge 1 ]; then
  if [ ! -d "$1" ]; then
    echo "run.sh: $1 is not a folder" >&2
    exit 2
  fi
  folder=$(cd "$1" && pwd)
fi

# Whether a folder can be written: Pelorin writes its results files into a folder "Pelorin" inside
# each project's folder, and lists into the projects folder.
writable() {
  local probe
  probe=$(mktemp -p "$1" .pelorin-write-test.XXXXXX 2>/dev/null) || return 1
  rm -f "$probe"
}

# The projects' own folders in FOLDER: the last part of the folder each settings file names.
project_folders() {
  local ssf directory
  for ssf in "$folder"/*.ssf; do
    [ -f "$ssf" ] || continue
    directory=$(tr -d '\r' <"$ssf" | sed -n 's/.*<Directory>\(.*\)<\/Directory>.*/\1/p' | head -n 1)
    directory=${directory%\\}
    if [ -n "$directory" ] && [ -d "$folder/${directory##*\\}" ]; then echo "$folder/${directory##*\\}"; fi
  done
}

# Said before anything is built: Pelorin could check nothing there.
if [ -n "$folder" ]; then
  while read -r place; do
    if ! writable "$place"; then
      echo "run.sh: $place cannot be written, and Pelorin writes its results files beside the books it checks" >&2
      echo "run.sh: make it writable, or copy $folder to a folder that is and run ./run.sh with the copy" >&2
      exit 2
    fi
  done < <(echo "$folder"; project_folders)
fi

cd "$(dirname "$0")"
build=${PELORIN_BUILD:-build}
export WINEPREFIX=${PELORIN_WINEPREFIX:-$HOME/.local/share/pelorin/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
. scripts/wine-display.sh

./scripts/setup.sh
# A build folder made once is kept up to date by the build itself (it configures again when a
# CMakeLists.txt changes), so that starting Pelorin again rebuilds only what changed.
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)" --target Pelorin
program=$(cd "$build/bin" && pwd)/Pelorin.exe

private_display=
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  start_private_display
  private_display=yes
  echo "run.sh: no display here; Pelorin runs on a private virtual display ($DISPLAY)"
fi

cleanup() {
  if [ -n "$private_display" ]; then
    wineserver -k >/dev/null 2>&1 || true
    stop_private_display
  fi
}
trap cleanup EXIT

if [ ! -f "$WINEPREFIX/.pelorin-user-1" ]; then
  echo "run.sh: making the Wine prefix $WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  reg=$(mktemp --suffix=.reg)
  { echo REGEDIT4; echo; pelorin_font_replacements; } >"$reg"
  import_registry_file "$reg"
  rm -f "$reg"
  touch "$WINEPREFIX/.pelorin-user-1"
fi
link_marlett

# A value of Pelorin's settings, as the running Wine server holds it; empty when it has none.
setting() {
  { wine reg query 'HKCU\Software\Pelorin' /v "$1" 2>/dev/null || true; } | tr -d '\r' |
    sed -n "s/^ *$1 *REG_SZ *//p" | head -n 1
}

# The Unix path of a file or folder that a project's settings file names (a Windows path), with the
# folders above it resolved as Wine resolves them (its drive links included); the last part is
# kept as it is, so that a link there is seen as a link.
unix_path() {
  local unix
  unix=$(winepath -u "$1" 2>/dev/null) || return 1
  [ -n "$unix" ] || return 1
  echo "$(realpath -m "$(dirname "$unix")")/$(basename "$unix")"
}

# Makes the Windows path a settings file names lead to an entry of FOLDER, when the path does not
# exist in this prefix (or is a link made for an earlier FOLDER): a link in the prefix's drive C,
# so that Pelorin reads and writes FOLDER itself. Paths outside drive C are left as they are.
link_into_folder() {
  local ssf=$1 windows=$2 entry=$3 unix drive_c
  unix=$(unix_path "$windows") || return 0
  drive_c=$(realpath -m "$WINEPREFIX/drive_c")
  case "$unix" in "$drive_c"/*) ;; *) return 0 ;; esac
  if [ -L "$unix" ] || [ ! -e "$unix" ]; then
    mkdir -p "$(dirname "$unix")"
    ln -sfn "$entry" "$unix"
    echo "run.sh: $windows, which $(basename "$ssf") names, leads to $entry"
  elif [ "$(realpath "$unix")" != "$(realpath "$entry")" ]; then
    echo "run.sh: $windows, which $(basename "$ssf") names, exists in this prefix: Pelorin uses it, not $entry"
  fi
}

# A projects folder brought from another machine keeps its projects' settings files, whose
# Directory and StyleSheet elements name where the projects lived there (for example
# C:\My Paratext Projects\KJV). Where such a path does not exist in this prefix but the project's
# folder (or the style sheet) stands in FOLDER, the path is made to lead there; nothing is copied,
# so that Pelorin checks the books as they are edited in FOLDER and writes its results beside them.
if [ -n "$folder" ]; then
  for ssf in "$folder"/*.ssf; do
    [ -f "$ssf" ] || continue
    settings=$(tr -d '\r' <"$ssf")
    directory=$(sed -n 's/.*<Directory>\(.*\)<\/Directory>.*/\1/p' <<<"$settings" | head -n 1)
    style_sheet=$(sed -n 's/.*<StyleSheet>\(.*\)<\/StyleSheet>.*/\1/p' <<<"$settings" | head -n 1)
    if [ -n "$directory" ]; then
      project=${directory%\\}
      project=${project##*\\}
      if [ -d "$folder/$project" ]; then link_into_folder "$ssf" "$directory" "$folder/$project"; fi
    fi
    if [ -n "$style_sheet" ] && [ -f "$folder/${style_sheet##*\\}" ]; then
      link_into_folder "$ssf" "$style_sheet" "$folder/${style_sheet##*\\}"
    fi
  done
fi

if [ -n "$folder" ]; then
  # Stored as the settings dialog stores it: the Windows path with a trailing backslash.
  windows_folder=$(winepath -w "$folder")
  windows_folder=${windows_folder%\\}'\'
  reg=$(mktemp --suffix=.reg)
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Pelorin]\n"S6"="%s"\n' "${windows_folder//\\/\\\\}" >"$reg"
  import_registry_file "$reg"
  rm -f "$reg"
  echo "run.sh: the Paratext projects folder is $folder ($windows_folder)"
fi

echo "run.sh: starting $program"
wine "$program" </dev/null >/dev/null 2>&1 &
pelorin=$!

# Where the results files go: the folder "Pelorin" inside the current project's folder. Pelorin
# writes its settings (and, into an empty projects folder, its demonstration project) as it
# starts, so wait a little for them.
told=
for _ in $(seq 1 60); do
  if ! kill -0 "$pelorin" 2>/dev/null; then break; fi
  projects=$(setting S6)
  if [ -n "$projects" ]; then
    projects_unix=$(winepath -u "$projects" 2>/dev/null || true)
    current=$(setting S7)
    ssf=
    if [ -n "$current" ]; then
      ssf=$(grep -l -i -F "<FullName>$current</FullName>" "$projects_unix"/*.ssf 2>/dev/null | head -n 1 || true)
    fi
    if [ -z "$ssf" ]; then
      ssf=$(ls "$projects_unix"/*.ssf 2>/dev/null | head -n 1 || true)
    fi
    if [ -n "$ssf" ]; then
      name=$(tr -d '\r' <"$ssf" | sed -n 's/.*<FullName>\(.*\)<\/FullName>.*/\1/p' | head -n 1)
      directory=$(tr -d '\r' <"$ssf" | sed -n 's/.*<Directory>\(.*\)<\/Directory>.*/\1/p' | head -n 1)
      directory_unix=$(realpath -m "$(winepath -u "$directory" 2>/dev/null || true)")
      echo "run.sh: Pelorin writes the results files of \"$name\" into ${directory_unix%/}/Pelorin/"
      if [ ! -d "$directory_unix" ]; then
        echo "run.sh: that project's settings file ($ssf) names the folder $directory, which does not exist here"
      fi
      told=yes
      break
    fi
  fi
  sleep 1
done
if [ -z "$told" ]; then
  echo "run.sh: Pelorin writes each project's results files into the folder Pelorin inside the project's folder"
fi

wait "$pelorin" || true
# Pelorin started again by restart.exe (after some of its settings) is another process: the Wine
# session and the display stay until no program runs in it any more.
wineserver -w || true
