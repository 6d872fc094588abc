#!/usr/bin/env bash
# Builds the fuzz preset (clang + libFuzzer) and runs every fuzz target in
# build/fuzz/fuzz/ for a bounded time each, seeded from its stored corpus
# tests/**/corpus/<target>/. New inputs go to a scratch folder, never into
# the stored corpus. Fails when any target finds a crash or a sanitizer report.
# Usage: scripts/fuzz.sh [seconds per target (default 60)] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${VT_JOBS:-3}"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for exe in build/fuzz/fuzz/*; do
    [ -x "$exe" ] && [ -f "$exe" ] && targets+=("$(basename "$exe")")
  done
fi
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets in build/fuzz/fuzz/" >&2
  exit 1
fi

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failed=()
for target in "${targets[@]}"; do
  seeds=()
  while IFS= read -r dir; do seeds+=("$dir"); done < <(find tests -type d -path "*/corpus/$target" 2>/dev/null)
  work="$scratch/$target"
  mkdir -p "$work"
  echo "=== $target: ${seconds}s (seeds: ${seeds[*]:-none})"
  if ! "build/fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$scratch/$target-" "$work" "${seeds[@]}"; then
    failed+=("$target")
    mkdir -p build/fuzz/artifacts
    cp "$scratch/$target-"* build/fuzz/artifacts/ 2>/dev/null || true
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz targets that failed: ${failed[*]} (inputs in build/fuzz/artifacts/)" >&2
  exit 1
fi
echo "every fuzz target ran ${seconds}s without a finding"
