#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite through ctest,
# then a short seeded run of every fuzz target (scripts/fuzz.sh --test).
# Tests start and stop every server they need themselves (Icecast, X, tray host).
#   scripts/test.sh              the normal build
#   scripts/test.sh --sanitize   an AddressSanitizer + UBSan build in build/asan
#   scripts/test.sh -R tlist     only the tests named (ctest's options; no fuzzing)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build=build/test
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKYTUNER_SANITIZE=OFF)
if [ "${1:-}" = "--sanitize" ]; then
  build=build/asan
  flags=(-DCMAKE_BUILD_TYPE=Debug -DSKYTUNER_SANITIZE=ON)
  shift
fi
cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j2 "$@"
if [ $# -eq 0 ]; then
  scripts/fuzz.sh --test
fi
