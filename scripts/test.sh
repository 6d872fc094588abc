#!/usr/bin/env bash
# Installs what the build needs, builds and runs every test: the default
# build, then the libraries and program under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the libraries under ThreadSanitizer, then
# the clang build with the libFuzzer targets (so clang's warnings are seen too).
# The default build also runs each benchmark once, briefly (scripts/bench.sh --smoke).
# Usage: scripts/test.sh [preset...]   (default: default asan-ubsan tsan fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/vt-runtime-$(id -u)}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(default asan-ubsan tsan fuzz)
jobs=$(nproc)
echo "=== disk: $(df -Ph . | awk 'NR == 2 { print $4 " free of " $2 }')"

# A machine short of disk cannot hold every preset's tree at once: a tree
# whose tests passed is removed when less than this much space is left.
min_free_kb=$((8 * 1024 * 1024))
free_kb() { df -Pk . | awk 'NR == 2 { print $4 }'; }

for preset in "${presets[@]}"; do
  echo "=== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "=== $preset: test"
  ctest --preset "$preset" -j "$jobs"
  # Each benchmark once, briefly: it must run and print its comparisons;
  # its figures decide nothing here.
  if [ "$preset" = default ]; then
    echo "=== $preset: benchmarks, one short repetition each"
    bash scripts/bench.sh --smoke --build "build/$preset"
  fi
  if [ "$(free_kb)" -lt "$min_free_kb" ]; then
    echo "=== $preset: passed; removing build/$preset, the disk is nearly full"
    rm -rf "build/$preset"
  fi
done
