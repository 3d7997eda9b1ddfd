#!/usr/bin/env bash
# Runs the tests, or chosen test programs, several times in a row and prints for each test case
# how many of the runs it failed in: a test that fails now and then shows up here, where one run
# would most likely pass.
#   scripts/repeat-tests.sh [options] [ctest arguments...]
#     -n RUNS      how many runs (default 10)
#     -c CPUS      run everything on these processors only (taskset list, e.g. 0,1)
#     -j JOBS      test programs side by side (default: as ./test.sh, the processors, at least 4)
#     -l LOADS     this many busy loops beside the tests, on the same processors, for the whole time
#     -b BUILD     the build folder (default: build, or PELORIN_BUILD)
#     -o FOLDER    where each run's output is kept (default: BUILD/repeat-runs)
#   e.g. scripts/repeat-tests.sh -n 10 -c 0,1 -l 2 -R 'classlib_dde|app_steps'
# Each run is the whole of what ./test.sh runs after its build (scripts/wine-env.sh and ctest), so
# the displays, Wine servers and desktops are made anew for every run. The build is not touched.
# The exit status is 0 when every run passed.
set -uo pipefail
cd "$(dirname "$0")/.."

runs=10 cpus= jobs= loads=0 build=${PELORIN_BUILD:-build} out=
# Its own options come first; whatever follows is ctest's.
while [ $# -gt 0 ]; do
  case $1 in
    -h | --help) sed -n '2,15p' "$0"; exit 0 ;;
    -n | -c | -j | -l | -b | -o) if [ $# -lt 2 ]; then echo "repeat-tests: $1 needs a value" >&2; exit 2; fi ;;
  esac
  case $1 in
    -n) runs=$2 ;;
    -c) cpus=$2 ;;
    -j) jobs=$2 ;;
    -l) loads=$2 ;;
    -b) build=$2 ;;
    -o) out=$2 ;;
    *) break ;;
  esac
  shift 2
done
out=${out:-$build/repeat-runs}
mkdir -p "$out"

pin=()
if [ -n "$cpus" ]; then pin=(taskset -c "$cpus"); fi
if [ -z "$jobs" ]; then
  jobs=$("${pin[@]}" nproc)
  if [ "$jobs" -lt 4 ]; then jobs=4; fi
fi

busy=()
stop_load() {
  local pid
  for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null; done
  busy=()
}
trap stop_load EXIT
for ((i = 0; i < loads; i++)); do
  "${pin[@]}" sh -c 'while :; do :; done' &
  busy+=($!)
done

echo "repeat-tests: $runs runs${cpus:+ on processors $cpus}, $jobs side by side, $loads busy loops; output in $out"
failed_runs=0
for ((run = 1; run <= runs; run++)); do
  log=$out/run-$run.log
  started=$SECONDS
  "${pin[@]}" ./scripts/wine-env.sh "$build" ctest --test-dir "$build" --output-on-failure --parallel "$jobs" "$@" \
    >"$log" 2>&1
  status=$?
  load=$(cut -d ' ' -f 1 /proc/loadavg)
  if [ "$status" -eq 0 ]; then result=passed; else result=FAILED; failed_runs=$((failed_runs + 1)); fi
  echo "run $run: $result in $((SECONDS - started)) s, load average $load"
done
stop_load

# A failed test case is named by its program's gtest summary ("[  FAILED  ] Suite.Case"); a test
# program that failed without naming a case (a script, a crash, a time-out) by its ctest name; a
# program that Wine ended before it ran and that was started once more (scripts/on-desktop.sh) is
# counted apart, since the run went on.
echo
echo "| test case | runs failed |"
echo "|---|---|"
for ((run = 1; run <= runs; run++)); do
  log=$out/run-$run.log
  {
    # ctest prints a failed program's output right after the line that says it failed.
    awk '
      function flush() {
        if (program != "" && !named) print program " (" status ")"
        program = ""
      }
      /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: / {
        flush()
        if ($0 !~ / Passed /) {
          program = $4; named = 0
          status = $0; sub(/^.*\*\*\*/, "", status); sub(/ +[0-9.]+ sec.*$/, "", status)
        }
        next
      }
      /^ *Start +[0-9]+: / { flush(); next }
      program != "" && /^\[  FAILED  \] / && $4 !~ /^[0-9]+$/ { print $4; named = 1 }
      END { flush() }
    ' "$log"
    grep -o 'on-desktop: [^ ]* ended with exit status [0-9]* before it wrote anything' "$log" |
      sed 's/^on-desktop: \([^ ]*\) .*/\1 (ended by Wine before it ran; started again)/'
  } | sort -u
done | sort | uniq -c | sort -rn | while read -r count name; do
  echo "| $name | $count of $runs |"
done
echo
echo "repeat-tests: $failed_runs of $runs runs failed"
[ "$failed_runs" -eq 0 ]
