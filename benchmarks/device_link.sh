#!/usr/bin/env bash
# Device link benchmark (a measurement, not a test):
#  - reads a 1,024-byte EEPROM from rq7-sim over a pseudo-terminal paced at
#    19200 baud and compares the wall time with what the line allows
#    (128 exchanges x 26 bytes x 10 bits / 19200 baud = 1.73 s; target
#    <= 1.05 x) and the requester's CPU time with the wall time (target
#    <= 5 %);
#  - counts exchanges per second against the in-process simulator.
# Builds a Release configuration in build/bench.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench
baud=${BAUD:-19200}
reads=${READS:-3}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DRQ7_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target rq7-sim rq7_bench_device_link >/dev/null

sim_out=$(mktemp)
"$build/bin/rq7-sim" --wire-speed "$baud" --memory 3 >"$sim_out" 2>/dev/null &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; rm -f "$sim_out"' EXIT
for _ in $(seq 100); do
  [ -s "$sim_out" ] && break
  sleep 0.05
done
port=$(head -n 1 "$sim_out")
[ -n "$port" ] || { echo "rq7-sim gave no terminal" >&2; exit 1; }

export QT_QPA_PLATFORM=offscreen
"$build/bin/rq7_bench_device_link" --port "$port" --baud "$baud" --reads "$reads"
"$build/bin/rq7_bench_device_link" --in-process --seconds "${SECONDS_IN_PROCESS:-2}"
