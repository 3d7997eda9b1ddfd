#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test under Wine.
#   ./test.sh [ctest arguments...]     e.g. ./test.sh -R classlib
set -euo pipefail
cd "$(dirname "$0")"
build=${PELORIN_BUILD:-build}

# How long each step took is said at the end, whatever the result: the build's and the tests'
# times depend on the machine and the compiler cache.
started=$SECONDS
steps=
step() { steps+="${steps:+, }$1 $((SECONDS - started)) s"; started=$SECONDS; }
trap 'echo "test.sh: $steps"' EXIT

./scripts/setup.sh
step set-up
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$build" --parallel "$(nproc)"
step build
status=0
./scripts/wine-env.sh "$build" ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" "$@" || status=$?
step tests
exit $status
