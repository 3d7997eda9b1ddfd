#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test under Wine.
#   ./test.sh [ctest arguments...]     e.g. ./test.sh -R classlib
set -euo pipefail
cd "$(dirname "$0")"
build=${PELORIN_BUILD:-build}

./scripts/setup.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$build" --parallel "$(nproc)"
./scripts/wine-env.sh "$build" ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" "$@"
