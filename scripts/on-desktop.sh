#!/usr/bin/env bash
# Runs a test program on the desktop ctest gave it. Tests whose windows take the focus or the
# foreground ask ctest for one of the resource "desktops" (see scripts/wine-env.sh); ctest then
# names the desktop in CTEST_RESOURCE_GROUP_0_DESKTOPS ("id:N,slots:1"), and the program runs on
# that desktop's display and Wine prefix. Other tests run where they were started.
#   scripts/on-desktop.sh command args...
if [ -n "${CTEST_RESOURCE_GROUP_0_DESKTOPS:-}" ]; then
  id=${CTEST_RESOURCE_GROUP_0_DESKTOPS#id:}
  id=${id%%,*}
  display_var=PELORIN_DESKTOP_${id}_DISPLAY
  prefix_var=PELORIN_DESKTOP_${id}_PREFIX
  if [ -n "${!display_var:-}" ] && [ -n "${!prefix_var:-}" ]; then
    export DISPLAY=${!display_var} WINEPREFIX=${!prefix_var}
  fi
fi
# A program that fails says its exit status (Wine passes the low byte of the Windows exit code).
# On a busy machine Wine now and then ends a program before it runs its first line: it fails at
# once, without a word on its output. A test program always writes its first line when it starts,
# so such a program has not run; it is started once more, and the start that failed is said, in
# the test's output and in the file PELORIN_START_FAILURES names (scripts/wine-env.sh shows it
# at the end of the run), so that it is never hidden.
run_once() {
  local output status
  output=$(mktemp)
  "$@" | tee "$output"
  status=${PIPESTATUS[0]}
  wrote=$(stat -c %s "$output")
  rm -f "$output"
  return "$status"
}
run_once "$@"
status=$?
if [ "$status" -ne 0 ] && [ "$wrote" -eq 0 ]; then
  said="on-desktop: $(basename -- "${2:-$1}") ended with exit status $status before it wrote anything; started once more"
  echo "$said" >&2
  if [ -n "${PELORIN_START_FAILURES:-}" ]; then echo "$(date '+%F %T') $said" >>"$PELORIN_START_FAILURES"; fi
  run_once "$@"
  status=$?
fi
if [ "$status" -ne 0 ]; then echo "on-desktop: $(basename -- "${2:-$1}") ended with exit status $status" >&2; fi
exit "$status"
