#!/usr/bin/env bash
# Installs what is missing, builds a release build and starts skyTuner.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSKYTUNER_TESTS=OFF >/dev/null
cmake --build "$build"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  display=:$(( 90 + RANDOM % 100 ))
  echo "No display found: starting skyTuner on a virtual X server ($display)."
  echo "Connect a viewer to it or run this command from a desktop session to see the window."
  Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null' EXIT
  for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
  export DISPLAY=$display
  "$build/skytuner"
else
  exec "$build/skytuner"
fi
