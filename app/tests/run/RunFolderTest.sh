#!/usr/bin/env bash
# ./run.sh FOLDER on a machine without a display, twice in one prefix of its own: FOLDER holds a
# project whose settings file names a folder of another machine (C:\My Paratext Projects\TST).
# Pelorin checks the books in FOLDER itself and writes the results files beside them; a book
# changed in FOLDER between the runs is checked again and its results file rewritten, the other
# book's is left alone. Pelorin started again in another process keeps run.sh going; closing
# Pelorin ends it. A FOLDER that cannot be written is refused with a message before anything
# starts. Every wait is bounded.
#   RunFolderTest.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d)
prefix=$work/prefix
folder=$work/projects
out=$work/run.out

runner=
immutable=
cleanup() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  # The server writes the prefix's registry as it ends: the prefix is removed after that.
  WINEPREFIX=$prefix timeout 60 wineserver -w >/dev/null 2>&1 || true
  if [ -n "$runner" ]; then
    kill "$runner" >/dev/null 2>&1 || true
    wait "$runner" 2>/dev/null || true
  fi
  if [ -n "$immutable" ]; then chattr -i "$immutable" >/dev/null 2>&1 || true; fi
  chmod -R u+w "$work" >/dev/null 2>&1 || true
  rm -rf "$work" 2>/dev/null || { sleep 2; rm -rf "$work"; }
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "--- run.sh said:"
  cat "$out" || true
  exit 1
}

# Waits up to $1 seconds for the condition (the remaining arguments) while run.sh runs.
wait_for() {
  local seconds=$1
  shift
  for _ in $(seq 1 "$seconds"); do
    if "$@"; then return 0; fi
    kill -0 "$runner" 2>/dev/null || return 1
    sleep 1
  done
  return 1
}

crlf() { printf '%s\r\n' "$@"; }

mkdir -p "$folder/TST"
crlf '<ScriptureText>' '<Directory>C:\My Paratext Projects\TST</Directory>' '<FullName>Test Project</FullName>' \
  '<Language>English</Language>' '<Name>TST</Name>' '<StyleSheet>C:\My Paratext Projects\test.sty</StyleSheet>' \
  '<Versification>4</Versification>' '<Naming PrePart="" PostPart="TST.SFM" BookNameForm="MAT"></Naming>' \
  '</ScriptureText>' >"$folder/TST.ssf"
crlf '\Marker id' '\TextType Other' '\TextProperties paragraph nonpublishable nonvernacular book' '' \
  '\Marker c' '\TextType ChapterNumber' '\TextProperties chapter' '' \
  '\Marker p' '\TextType VerseText' '\TextProperties paragraph publishable vernacular' '' \
  '\Marker v' '\TextType VerseNumber' '\TextProperties verse' >"$folder/test.sty"
crlf '[General]' 'codepage=1252' 'font=Times New Roman' 'name=English' 'RTL=F' 'size=14' >"$folder/English.lds"
crlf '\id GEN' '\c 1' '\p' '\v 1 In the beginning God created the heaven and the earth.' >"$folder/TST/GENTST.SFM"
crlf '\id EXO' '\c 1' '\p' '\v 1 Now these are the names of the children of Israel.' >"$folder/TST/EXOTST.SFM"
genesis=$folder/TST/Pelorin/Genesis.dat
exodus=$folder/TST/Pelorin/Exodus.dat

# Runs ./run.sh FOLDER in the background, as a user on a machine without a display would.
start_run() {
  : >"$out"
  env -u DISPLAY -u WINEPREFIX PELORIN_BUILD="$build" PELORIN_WINEPREFIX="$prefix" "$here/run.sh" "$folder" >"$out" 2>&1 &
  runner=$!
}

# Closes Pelorin as a user would (its window is sent WM_CLOSE) and waits for run.sh to end.
close_pelorin() {
  local display
  display=$(sed -n 's/.*private virtual display (\(:[0-9]*\)).*/\1/p' "$out" | head -n 1)
  [ -n "$display" ] || fail "run.sh did not say which display Pelorin runs on"
  DISPLAY=$display WINEPREFIX=$prefix WINEDEBUG=-all wine taskkill /im Pelorin.exe >/dev/null 2>&1 ||
    fail "Pelorin could not be told to close"
  for _ in $(seq 1 60); do
    kill -0 "$runner" 2>/dev/null || break
    sleep 1
  done
  if kill -0 "$runner" 2>/dev/null; then fail "run.sh did not end when Pelorin was closed"; fi
  wait "$runner" || fail "run.sh ended with $?"
  runner=
}

results_said() { [ -f "$exodus" ] && [ -f "$genesis" ] && grep -q 'results files of' "$out"; }

# The first run: making the prefix takes a while on a slow machine (minutes on a busy one), the
# checks a few seconds.
start_run
wait_for 1200 results_said || fail "no results files beside the books"
grep -q "results files of \"Test Project\" into $folder/TST/Pelorin/" "$out" ||
  fail "run.sh did not say that the results files go beside the books"
grep -qF "C:\\My Paratext Projects\\TST, which TST.ssf names, leads to $folder/TST" "$out" ||
  fail "run.sh did not say where the project's folder leads"
link="$prefix/drive_c/My Paratext Projects/TST"
[ -L "$link" ] && [ "$(readlink "$link")" = "$folder/TST" ] || fail "$link is no link to $folder/TST"
[ -z "$(find "$prefix/drive_c/My Paratext Projects" -mindepth 1 -not -type l)" ] ||
  fail "something was copied into the prefix: $(find "$prefix/drive_c/My Paratext Projects" -mindepth 1 -not -type l)"
grep -qx 'Thsi' <(tr -d '\r' <"$exodus") && fail "Exodus was checked before it was changed"
# Both results files are whole before Pelorin is closed.
sleep 2
close_pelorin
genesis_before=$(stat -c %Y.%s "$genesis")
exodus_before=$(tr -d '\r' <"$exodus")

# A book changed in FOLDER between the runs (a new modification time, as an editor saves it).
sleep 2
crlf '\id EXO' '\c 1' '\p' '\v 1 Now these are the names of the children of Israel.' '\v 2 Thsi is new.' \
  >"$folder/TST/EXOTST.SFM"
exodus_changed() { grep -qx 'Thsi' <(tr -d '\r' <"$exodus"); }
start_run
wait_for 120 exodus_changed || fail "the changed book's results file was not rewritten: $(tr -d '\r' <"$exodus")"
mapfile -t lines < <(tr -d '\r' <"$exodus")
[ "${lines[0]}" != "$(head -n 1 <<<"$exodus_before")" ] || fail "the results file keeps the old book's age"
[ "${lines[2]}" = "[spelling errors]" ] || fail "unexpected results file: ${lines[*]}"
sleep 2
[ "$(stat -c %Y.%s "$genesis")" = "$genesis_before" ] || fail "the unchanged book's results file was rewritten"

# Pelorin ends and another Pelorin process starts in its place, as restart.exe starts it again:
# run.sh keeps the Wine session and its display for the new one, and ends only when that is closed.
display=$(sed -n 's/.*private virtual display (\(:[0-9]*\)).*/\1/p' "$out" | head -n 1)
# restart.exe is itself a program of the Wine session while it waits for the old copy to end and
# starts the new one, so the session never runs out of programs. Here a command interpreter that
# waits for a line on its input stands in for it while the old copy is killed and the new one
# started: without it, the Wine session of a busy machine may end in the gap, and run.sh with it.
# It reads from a pipe that only a sleep writes to (programs started later do not inherit it), so
# ending the sleep ends the interpreter.
{
  echo "$BASHPID" >"$work/holder.pid"
  exec sleep 600
} | DISPLAY=$display WINEPREFIX=$prefix WINEDEBUG=-all wine cmd /c "set /p line=" >/dev/null 2>&1 &
holder=$!
in_session() {
  local pid
  for pid in $(pgrep -f "$1" || true); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix" && return 0
  done
  return 1
}
# Only a help against the gap: a machine too busy to show it within the wait goes on without it.
for _ in $(seq 1 1200); do in_session 'set /p line' && break; sleep 0.1; done
# (taskkill's own end is not asked: a run.sh that ends with Pelorin ends taskkill too.)
DISPLAY=$display WINEPREFIX=$prefix WINEDEBUG=-all wine taskkill /f /im Pelorin.exe >/dev/null 2>&1 || true
# The killed copy must be gone first, as restart.exe waits for it: while it lives, the new copy
# would find it running and end (only one copy runs).
pelorin_gone() { ! in_session 'Pelorin\.exe'; }
for _ in $(seq 1 600); do pelorin_gone && break; sleep 0.1; done
pelorin_gone || fail "the killed Pelorin did not end"
DISPLAY=$display WINEPREFIX=$prefix WINEDEBUG=-all wine "$build/bin/Pelorin.exe" </dev/null >/dev/null 2>&1 &
again=$!
sleep 5
kill -0 "$runner" 2>/dev/null || fail "run.sh ended while Pelorin was started again"
kill -0 "$again" 2>/dev/null || fail "the Pelorin started again did not keep running"
# The stand-in for restart.exe ends, as restart.exe does once it has started Pelorin.
kill "$(cat "$work/holder.pid")" >/dev/null 2>&1 || true
wait "$holder" 2>/dev/null || true
close_pelorin
wait "$again" || true

# A FOLDER whose project folder cannot be written is refused before anything is built or started.
chmod a-w "$folder/TST"
probe=$(mktemp -p "$folder/TST" 2>/dev/null) && rm -f "$probe" && chattr +i "$folder/TST" >/dev/null 2>&1 &&
  immutable=$folder/TST
if probe=$(mktemp -p "$folder/TST" 2>/dev/null); then
  rm -f "$probe"
  echo "note: no folder can be made read-only here; the refusal of a read-only FOLDER was not tried"
else
  status=0
  env -u DISPLAY -u WINEPREFIX PELORIN_BUILD="$build" PELORIN_WINEPREFIX="$prefix" timeout 60 "$here/run.sh" "$folder" \
    >"$out" 2>&1 || status=$?
  [ "$status" -eq 2 ] || fail "run.sh on a read-only FOLDER ended with $status"
  grep -qF "run.sh: $folder/TST cannot be written" "$out" || fail "no message about the read-only folder"
  grep -q 'starting' "$out" && fail "Pelorin was started on a read-only FOLDER"
fi
echo "PASS: run.sh FOLDER checked the books in FOLDER and wrote the results beside them, twice"
