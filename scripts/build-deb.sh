#!/usr/bin/env bash
# Builds the Debian package from this repository and checks it with lintian.
#   scripts/build-deb.sh [output folder]     (default: build/deb)
# The sources are copied into the output folder first, so dpkg-buildpackage
# writes nothing beside the repository; the .deb ends up in the output folder:
#   sudo apt install ./build/deb/skytuner_<version>_<arch>.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/build/deb}" && cd "${1:-$root/build/deb}" && pwd)

version=$(sed -n 's/^project(skyTuner VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
packaged=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
if [ "$version" != "$packaged" ]; then
  echo "build-deb: debian/changelog is at $packaged, the program at $version" >&2
  exit 1
fi

src=$out/skytuner-$version
rm -rf "$src" "$out"/skytuner_*
mkdir -p "$src"
tar -C "$root" --exclude=./build --exclude=./.git -cf - . | tar -C "$src" -xf -

# debhelper gives the build a HOME of its own: keep using the user's compiler cache.
if command -v ccache >/dev/null; then
  CCACHE_DIR=$(ccache --get-config cache_dir)
  export CCACHE_DIR CCACHE_BASEDIR=$src
fi
cd "$src"
DEB_BUILD_OPTIONS="parallel=${SKYTUNER_JOBS:-2}" dpkg-buildpackage -us -uc -b
lintian --fail-on error --info "$out"/skytuner_"${version}"_*.changes
ls "$out"/skytuner_"${version}"_*.deb
