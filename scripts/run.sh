#!/usr/bin/env bash
# Installs what the build needs, builds, starts the sensor simulator on this
# machine and then the program against it (the simulator stops with it).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"

bin=build/default/bin
if [ ! -x "$bin/varnis-sim" ]; then
  echo "the simulator is not built yet" >&2
  exit 1
fi
if [ ! -x "$bin/varnis-tarvel" ]; then
  echo "the program is not built yet; running the sensor simulator alone (Ctrl+C stops it)"
  exec "$bin/varnis-sim" --plausible "$@"
fi
# Configurations in range, so the pages open on values they accept; a
# reading every half second in the monitor and the function test, as a sensor
# on a running line gives them (the arguments given here come after, and win).
"$bin/varnis-sim" --plausible --reading-period-ms 500 "$@" &
sim=$!
# The simulator listens on loopback; the program accepts that address only when told.
export VT_ALLOW_LOOPBACK_SENSOR=1
echo "connect with Connections > IP Address...: the simulator's address (127.0.0.1 unless --address) and port" >&2
trap 'kill $sim 2>/dev/null || true' EXIT
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "$bin/varnis-tarvel"
else
  "$bin/varnis-tarvel"
fi
