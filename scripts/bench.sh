#!/usr/bin/env bash
# Runs the benchmarks of a build, offscreen: every one, or those named
# (readings, startup, ... as in bench/<name>/). Each prints its figures and,
# for each, the figure it is compared with beside it ("compare: " lines).
#   --smoke      one short repetition of each (VT_BENCH_SMOKE=1), as CI runs
#                them: a few seconds each
#   --build DIR  the build tree (build/default)
# A benchmark fails the run when it crashes or ends with an error, when a
# run reports an error, or when it prints no comparison line or one it could
# not measure. The figures themselves never fail it.
# Usage: scripts/bench.sh [--smoke] [--build DIR] [name...]
set -uo pipefail
cd "$(dirname "$0")/.."

smoke=0
build=build/default
names=()
while [ $# -gt 0 ]; do
  case "$1" in
    --smoke) smoke=1 ;;
    --build) build="$2"; shift ;;
    *) names+=("$1") ;;
  esac
  shift
done

export QT_QPA_PLATFORM=offscreen
export QT_FONT_DPI=96
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/vt-runtime-$(id -u)}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
if [ "$smoke" = 1 ]; then export VT_BENCH_SMOKE=1; fi

programs=()
if [ ${#names[@]} -eq 0 ]; then
  while IFS= read -r p; do programs+=("$p"); done < <(find "$build/bench" -maxdepth 1 -type f -perm -u+x | sort)
else
  for name in "${names[@]}"; do
    found=""
    for p in "$build/bench/$name" "$build/bench/${name}_bench" "$build/bench/${name}_soak"; do
      if [ -f "$p" ] && [ -x "$p" ]; then found="$p"; break; fi
    done
    if [ -z "$found" ]; then echo "=== bench: no benchmark named $name in $build/bench" >&2; exit 1; fi
    programs+=("$found")
  done
fi
if [ ${#programs[@]} -eq 0 ]; then
  echo "=== bench: no benchmarks in $build/bench (built with VT_BUILD_BENCH=ON?)" >&2
  exit 1
fi

log_dir=$(mktemp -d)
trap 'rm -rf "$log_dir"' EXIT
failed=()
for program in "${programs[@]}"; do
  name=$(basename "$program")
  log="$log_dir/$name.log"
  echo "=== bench: $name"
  start=$SECONDS
  # A hung benchmark fails too; a whole run may take minutes.
  limit=$([ "$smoke" = 1 ] && echo 300 || echo 3600)
  timeout --signal=KILL "$limit" "$program" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  why=""
  if [ "$status" -ne 0 ]; then
    why="ended with status $status"
  elif grep -q "ERROR OCCURRED" "$log"; then
    why="a run reported an error"
  elif ! grep -q "compare: " "$log"; then
    why="printed no comparison"
  elif grep -q "compare: .*cannot measure" "$log"; then
    why="could not measure"
  fi
  if [ -n "$why" ]; then
    echo "=== bench: $name FAILED: $why"
    failed+=("$name")
  else
    echo "=== bench: $name ran in $((SECONDS - start)) s"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "=== bench: failed: ${failed[*]}"
  exit 1
fi
echo "=== bench: ${#programs[@]} benchmarks ran"
