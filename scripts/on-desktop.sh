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
# A program that fails says its exit status: one that ends before it writes anything shows only
# that (Wine passes the low byte of the Windows exit code).
"$@"
status=$?
if [ "$status" -ne 0 ]; then echo "on-desktop: $(basename "${2:-$1}") ended with exit status $status" >&2; fi
exit "$status"
