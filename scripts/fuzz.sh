#!/usr/bin/env bash
# The fuzz targets of tests/fuzz (libFuzzer, AddressSanitizer, UBSan): a clang
# build of the base libraries in build/fuzz, each target started from its seeds
# in tests/fuzz/corpus/<target>.
#   scripts/fuzz.sh                   every target for 10 minutes, one after another
#   scripts/fuzz.sh 3600 playlist     the named targets for an hour each
#   scripts/fuzz.sh --test            the short seeded run of every target (ctest -L fuzz)
# Inputs found go to build/fuzz/corpus/<target>, failing ones to
# build/fuzz/artifacts/<target>-crash-...: once fixed, copy the reproducer into
# the target's seeds so that it cannot return.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz

# One target for the given seconds, its findings beside its binary.
run() {
  local binary=$1 seconds=$2 out name
  shift 2
  out=$(dirname "$binary")
  name=$(basename "$binary")
  name=${name#fuzz_}
  mkdir -p "$out/corpus/$name" "$out/artifacts"
  "$binary" "$@" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$out/artifacts/$name-" "$out/corpus/$name" "$root/tests/fuzz/corpus/$name"
}

# The test command's short run uses one fixed seed, so that its result repeats;
# the long runs explore with fresh seeds.
if [ "${1:-}" = "--run" ]; then
  run "$2" "$3" -seed=1
  exit
fi

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DSKYTUNER_FUZZ=ON >/dev/null
cmake --build "$build" -j2
if [ "${1:-}" = "--test" ]; then
  exec ctest --test-dir "$build" -L fuzz --output-on-failure -j2
fi

seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(cd "$root/tests/fuzz/corpus" && ls))
for target in "${targets[@]}"; do
  run "$build/tests/fuzz/fuzz_$target" "$seconds"
done
