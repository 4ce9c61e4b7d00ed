#!/usr/bin/env bash
# Device link benchmark (a measurement, not a test):
#  - reads a 1,024-byte EEPROM from rq7-sim over a pseudo-terminal paced at
#    19200 baud and compares the wall time with what the line allows
#    (a block read's request and reply, 10 bits a byte, for every block;
#    1.73 s for the 128 blocks at 19200 baud; target
#    <= 1.05 x) and the requester's CPU time with the wall time (target
#    <= 5 %);
#  - the same paced read with the serial traffic trace written to a file;
#  - reads the same EEPROM unpaced: the software round trip per exchange,
#    without and with the trace;
#  - counts exchanges per second against the in-process simulator.
# Builds a Release configuration in build/bench.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench
baud=${BAUD:-19200}
reads=${READS:-3}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DRQ7_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target rq7-sim rq7_bench_device_link >/dev/null

export QT_QPA_PLATFORM=offscreen
sim_out=$(mktemp)
sim_err=$(mktemp)
sim_pid=
# Stops rq7-sim and shows how punctually it delivered the reply bytes.
stop_sim() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    sim_pid=
    grep "writes of reply bytes" "$sim_err" | sed 's/^/  /' || true
  fi
}
trap 'stop_sim; rm -f "$sim_out" "$sim_err"' EXIT

# Starts rq7-sim with the given options and sets $port.
start_sim() {
  : >"$sim_out"
  "$build/bin/rq7-sim" --memory 3 "$@" >"$sim_out" 2>"$sim_err" &
  sim_pid=$!
  port=
  for _ in $(seq 100); do
    port=$(head -n 1 "$sim_out")
    [ -n "$port" ] && return 0
    sleep 0.05
  done
  echo "rq7-sim gave no terminal" >&2
  exit 1
}

trace=$(mktemp)
start_sim --wire-speed "$baud"
"$build/bin/rq7_bench_device_link" --port "$port" --baud "$baud" --reads "$reads"
: >"$trace"
"$build/bin/rq7_bench_device_link" --port "$port" --baud "$baud" --reads "$reads" --trace "$trace"
echo "  trace: $(wc -l <"$trace") lines"
stop_sim

# The same read unpaced: the software's own time per exchange.
start_sim
"$build/bin/rq7_bench_device_link" --port "$port" --baud 0 --reads "$reads"
: >"$trace"
"$build/bin/rq7_bench_device_link" --port "$port" --baud 0 --reads "$reads" --trace "$trace"
stop_sim
rm -f "$trace"

"$build/bin/rq7_bench_device_link" --in-process --seconds "${SECONDS_IN_PROCESS:-2}"
