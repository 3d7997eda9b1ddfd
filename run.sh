#!/usr/bin/env bash
# Installs what is needed, builds Pelorin and starts it under Wine.
#   ./run.sh            Pelorin with its own settings (on a fresh machine: its demonstration project)
#   ./run.sh FOLDER     first sets Pelorin's Paratext projects folder to FOLDER (a Linux path)
# Pelorin runs in a Wine prefix of its own for the user (PELORIN_WINEPREFIX, by default
# ~/.local/share/pelorin/wineprefix), not in the tests' prefix; on the user's display when there
# is one, otherwise on a private virtual display. The script ends when Pelorin ends.
set -euo pipefail

folder=
if [ $# -ge 1 ]; then
  if [ ! -d "$1" ]; then
    echo "run.sh: $1 is not a folder" >&2
    exit 2
  fi
  folder=$(cd "$1" && pwd)
fi

cd "$(dirname "$0")"
build=${PELORIN_BUILD:-build}
export WINEPREFIX=${PELORIN_WINEPREFIX:-$HOME/.local/share/pelorin/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
. scripts/wine-display.sh

./scripts/setup.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
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

# A projects folder brought from another machine keeps its projects' settings files, whose
# Directory tags name where the projects lived there (for example C:\My Paratext Projects\KJV).
# When such a folder does not exist in this prefix but the project's own folder stands beside its
# settings file, the projects folder is copied to where the settings file says it belongs (files
# already there are kept), and Pelorin is pointed at that copy: the projects are then found, and
# Pelorin can write its results beside them even when FOLDER itself is read-only.
if [ -n "$folder" ]; then
  for ssf in "$folder"/*.ssf; do
    [ -f "$ssf" ] || continue
    directory=$(tr -d '\r' <"$ssf" | sed -n 's/.*<Directory>\(.*\)<\/Directory>.*/\1/p' | head -n 1)
    [ -n "$directory" ] || continue
    directory_unix=$(realpath -m "$(winepath -u "$directory" 2>/dev/null || true)")
    project=$(basename "$directory_unix")
    if [ ! -d "$directory_unix" ] && [ -d "$folder/$project" ]; then
      target=$(dirname "$directory_unix")
      mkdir -p "$target"
      cp -rn "$folder"/. "$target"/
      echo "run.sh: copied $folder to $target, where $(basename "$ssf") says its project lives"
      folder=$target
      break
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
