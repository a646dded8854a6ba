#!/usr/bin/env bash
# Installs the Debian 12 packages skyTuner builds, runs and tests with; installs
# only what is missing, so it is quick to run again.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libxcb1-dev
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  # run: the decoders and network sources a radio needs, a font with Czech glyphs
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-plugins-ugly gstreamer1.0-libav fonts-dejavu-core
  # tests: a real stream server and its GStreamer feeder, an X server, a window
  # manager, a tray host, input synthesis (and a Czech keyboard) and a session bus; the X session
  # management libraries a test session manager is built on
  icecast2 gstreamer1.0-tools xvfb xauth x11-utils x11-xkb-utils openbox trayer xdotool
  dbus-x11 curl
  # tests: the accessibility bus and a screen reader's view of it
  at-spi2-core python3-pyatspi
  libsm-dev libice-dev
  # tests: an RTSP server of the tests' own (a test-only program)
  libgstrtspserver-1.0-dev
  # tests: checks of the installed menu entry and AppStream file; the Debian package
  desktop-file-utils appstream debhelper dpkg-dev fakeroot lintian
  # tests: the fuzz build (scripts/fuzz.sh), clang with libFuzzer and the sanitizers
  clang libclang-rt-14-dev
  # benchmarks: a private sound server with a null sink (bench_dropouts)
  pulseaudio
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 update -q
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends \
  -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold "${missing[@]}"
