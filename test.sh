#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test under Wine.
#   ./test.sh [ctest arguments...]     e.g. ./test.sh -R classlib
set -euo pipefail
cd "$(dirname "$0")"
build=${PELORIN_BUILD:-build}

# How long the set-up and the build took is said before the tests run (ctest says how long the
# tests took, last): they depend on the machine and the compiler cache.
started=$SECONDS
./scripts/setup.sh
setup=$((SECONDS - started))
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$build" --parallel "$(nproc)"
echo "test.sh: set-up $setup s, build $((SECONDS - started - setup)) s"
# At least four test programs side by side: most of them wait (for timers, peer programs, the
# outside tools) far more than they compute.
jobs=$(nproc)
if [ "$jobs" -lt 4 ]; then jobs=4; fi
./scripts/wine-env.sh "$build" ctest --test-dir "$build" --output-on-failure --parallel "$jobs" "$@"
