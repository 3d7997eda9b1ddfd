#!/usr/bin/env bash
# ./run.sh on a machine without a display: it starts Pelorin in a fresh prefix of its own on a
# private display, Pelorin writes its demonstration project and checks it, and run.sh says where
# the results files are. Every wait is bounded.
#   RunScriptTest.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d)
prefix=$work/prefix
out=$work/run.out

runner=
cleanup() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  # The server writes the prefix's registry as it ends: the prefix is removed after that.
  WINEPREFIX=$prefix timeout 60 wineserver -w >/dev/null 2>&1 || true
  if [ -n "$runner" ]; then
    kill "$runner" >/dev/null 2>&1 || true
    wait "$runner" 2>/dev/null || true
  fi
  rm -rf "$work" 2>/dev/null || { sleep 2; rm -rf "$work"; }
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "--- run.sh said:"
  cat "$out" || true
  exit 1
}

env -u DISPLAY -u WINEPREFIX PELORIN_BUILD="$build" PELORIN_WINEPREFIX="$prefix" "$here/run.sh" >"$out" 2>&1 &
runner=$!

results="$prefix/drive_c/My Paratext Projects/PQ\$/Pelorin/John.dat"
# Making a prefix takes a while on a slow machine (minutes on a busy one); the check itself a second.
for _ in $(seq 1 1200); do
  if [ -f "$results" ] && grep -q 'results files of' "$out"; then break; fi
  kill -0 "$runner" 2>/dev/null || fail "run.sh ended early"
  sleep 1
done
[ -f "$results" ] || fail "no results file $results"
grep -q "results files of \"Pelorin Demonstration Project\" into $prefix/drive_c/My Paratext Projects/PQ\\\$/Pelorin/" "$out" ||
  fail "run.sh did not say where the results files are"
grep -q "private virtual display" "$out" || fail "run.sh did not start a private display"

mapfile -t lines < <(tr -d '\r' <"$results")
[ "${#lines[@]}" -eq 6 ] || fail "the results file has ${#lines[@]} lines"
[[ "${lines[0]}" =~ ^[0-9]+$ ]] || fail "first line '${lines[0]}' is no file age"
# Of the book's words only its identifier is not in the dictionary beside the program.
[ "${lines[1]}" = "1" ] && [ "${lines[2]}" = "[spelling errors]" ] && [ "${lines[3]}" = "JHN" ] &&
  [ "${lines[4]}" = "[mechanical errors]" ] && [ "${lines[5]}" = "[exceptions]" ] ||
  fail "unexpected results file: ${lines[*]}"
echo "PASS: run.sh started Pelorin, which checked the demonstration project"
