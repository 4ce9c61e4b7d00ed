#!/usr/bin/env bash
# Settings-read benchmark (a measurement, not a test), against rq7-sim on a
# pseudo-terminal paced at 19200 baud unless said otherwise:
#  - a 64 KiB device (--memory 9) holding a 300-byte image: 'rq7ctl read'
#    wall time against the line time of the blocks it needs (target
#    <= 1.1 x), and the read alone; FULL64=1 also times 'rq7ctl read
#    --full' of the same device (about 111 s);
#  - a blank 32 KiB device: time until 'rq7ctl read' reports the
#    unprogrammed device (target < 0.5 s);
#  - 'rq7ctl read --full' of a 1 KiB device under --drop 0.05 --corrupt
#    0.05 --late 0.05 --short 0.03, SEEDS seeds (default 10): median wall
#    time against the clean read's (target <= 4 x), silent corruptions
#    (target 0); runs whose activation failed are not counted;
#  - every reply of 20 % of the exchanges 2 s late, in order: LATE_SEEDS
#    seeds (default 20) of a settings read and a verified write on the
#    in-process simulator (same device model, 19200 baud, virtual clock),
#    and LATE_LIVE seeds (default 2) against rq7-sim in real time; silent
#    corruptions (target 0);
#  - recovery cost against the floor: FLOOR_SEEDS (default 10) whole reads
#    of a 1 KiB device on the in-process simulator (19,200 baud, virtual
#    clock) under 5 % drops + 5 % bad checksums + 5 % late + 3 % short
#    replies, and under 20 % stalls that add up: time against the clean
#    read plus every delay the device imposed plus one first time-out per
#    lost reply (target <= 1.25 x); the clean read against the line limit.
# The clean 1 KiB read against the line limit is benchmarks/device_link.sh.
# Builds a Release configuration in build/bench.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench
seeds=${SEEDS:-10}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DRQ7_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target rq7-sim rq7ctl rq7_bench_device_read >/dev/null
bin=$build/bin
export QT_QPA_PLATFORM=offscreen
# The block size as the program knows it (device/Block.h), and the bytes a
# block read puts on the line: the request (command, two address pairs,
# checksum, CR) and the reply (answer, the block's pairs, checksum, CR).
block_size=$(sed -n 's/.*kBlockSize = \([0-9]*\);.*/\1/p' device/Block.h)
block_wire=$((1 + 4 + 2 + 1 + 2 * block_size + 2))

work=$(mktemp -d)
sim_pid=
stop_sim() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    sim_pid=
  fi
}
trap 'stop_sim; rm -rf "$work"' EXIT

# Starts rq7-sim with the given options and sets $port.
start_sim() {
  : >"$work/sim.out"
  "$bin/rq7-sim" "$@" >"$work/sim.out" 2>"$work/sim.err" &
  sim_pid=$!
  port=
  for _ in $(seq 100); do
    port=$(head -n 1 "$work/sim.out")
    [ -n "$port" ] && return 0
    sleep 0.05
  done
  echo "rq7-sim gave no terminal" >&2
  exit 1
}

# Runs rq7ctl, leaves its wall seconds in $wall and its status in $status.
timed() {
  local t0 t1
  t0=$(date +%s.%N)
  set +e
  "$bin/rq7ctl" "$@" >"$work/ctl.out" 2>"$work/ctl.err"
  status=$?
  set -e
  t1=$(date +%s.%N)
  wall=$(echo "$t1 - $t0" | bc -l)
}

calc() { python3 -c "print($1)"; }

# A 300-byte settings image: six numbers, eight names, padded by the
# station name.
{
  for i in 0 1 2 3 4 5 6 7; do
    [ "$i" -lt 6 ] && echo "tabTC($i)=+42060311122$i"
    echo "tabINPNazev($i)=vstup$i"
  done
} >"$work/settings.txt"
"$bin/rq7ctl" build "$work/settings.txt" -o "$work/base.eep" >/dev/null 2>&1
pad=$((300 - $(stat -c %s "$work/base.eep")))
{ cat "$work/settings.txt"; echo "tabJmenoStanice=$(head -c "$pad" /dev/zero | tr '\0' 's')"; } \
  >"$work/settings300.txt"
"$bin/rq7ctl" build "$work/settings300.txt" -o "$work/image.eep" >/dev/null 2>&1
length=$(stat -c %s "$work/image.eep")
blocks=$(((length + block_size - 1) / block_size))
line=$(calc "$blocks * $block_wire * 10 / 19200")

echo "== 64 KiB device holding a $length-byte image, 19200 baud"
cp "$work/image.eep" "$work/dev64.eep"
start_sim --memory 9 --eeprom "$work/dev64.eep" --wire-speed 19200
timed read --port "$port" -o "$work/out64.eep"
same=$(cmp -s "$work/out64.eep" "$work/image.eep" && echo "the image" || echo "WRONG BYTES")
printf "  rq7ctl read: status %d, %s, wall %.3f s = %.2f x the line time of its %d blocks (%.3f s; target <= 1.1)\n" \
  "$status" "$same" "$wall" "$(calc "$wall / $line")" "$blocks" "$line"
"$bin/rq7_bench_device_read" --port "$port" --reads 3
if [ "${FULL64:-0}" = 1 ]; then
  timed read --full --port "$port" -o "$work/full64.eep"
  printf "  rq7ctl read --full: status %d, wall %.1f s (line time of %d blocks %.1f s)\n" \
    "$status" "$wall" $((65536 / block_size)) "$(calc "65536 / $block_size * $block_wire * 10 / 19200")"
fi
stop_sim

echo "== blank 32 KiB device, 19200 baud"
start_sim --memory 8 --wire-speed 19200
for r in 1 2 3; do
  timed read --port "$port" -o "$work/blank.eep"
  printf "  rq7ctl read %d: status %d (3 = unprogrammed), wall %.3f s (target < 0.5 s)\n" "$r" \
    "$status" "$wall"
done
stop_sim

echo "== rq7ctl read --full of a 1 KiB device under faults, 19200 baud"
head -c 1024 /dev/urandom >"$work/random.eep"
cp "$work/random.eep" "$work/dev1.eep"
start_sim --eeprom "$work/dev1.eep" --wire-speed 19200
clean=()
for r in 1 2 3; do
  timed read --full --port "$port" -o "$work/clean.eep"
  clean+=("$wall")
done
stop_sim
clean_median=$(printf "%s\n" "${clean[@]}" | sort -g | sed -n 2p)
printf "  clean: %.3f s (median of 3)\n" "$clean_median"
times=()
wrong=0
failed=0
for seed in $(seq "$seeds"); do
  cp "$work/random.eep" "$work/dev1.eep"
  start_sim --eeprom "$work/dev1.eep" --wire-speed 19200 --drop 0.05 --corrupt 0.05 \
    --late 0.05 --short 0.03 --seed "$seed" --verbose
  rm -f "$work/faulty.eep"
  timed read --full --port "$port" -o "$work/faulty.eep"
  stop_sim
  lates=$(grep -c "\[late\]" "$work/sim.err" || true)
  if [ "$status" = 0 ]; then
    if cmp -s "$work/faulty.eep" "$work/random.eep"; then verdict=right; else
      verdict="SILENTLY WRONG"
      wrong=$((wrong + 1))
    fi
    times+=("$wall")
  elif grep -q "bloku dat" "$work/ctl.err"; then
    verdict="failed (msg011)"
    failed=$((failed + 1))
    times+=("$wall")
  else
    verdict="activation failed, not counted"
  fi
  printf "  seed %2d: status %d, %s, wall %6.2f s = %5.2f x clean, %d late replies (each holds the line 2 s)\n" \
    "$seed" "$status" "$verdict" "$wall" "$(calc "$wall / $clean_median")" "$lates"
done
median=$(printf "%s\n" "${times[@]}" | sort -g | python3 -c "import sys,statistics; print(statistics.median(float(x) for x in sys.stdin))")
printf "  counted runs: %d, median %.2f s = %.2f x clean (target <= 4), %d failed, %d silently wrong (target 0)\n" \
  "${#times[@]}" "$median" "$(calc "$median / $clean_median")" "$failed" "$wrong"

echo "== every reply of 20 % of the exchanges 2 s late, in order"
"$bin/rq7_bench_device_read" --late-runs "${LATE_SEEDS:-20}" --image "$work/image.eep" --late 0.2
live_wrong=0
for seed in $(seq "${LATE_LIVE:-2}"); do
  cp "$work/image.eep" "$work/devl.eep"
  start_sim --eeprom "$work/devl.eep" --wire-speed 19200 --late 0.2 --late-repeats --seed "$seed"
  timed read --port "$port" -o "$work/late.eep"
  read_status=$status
  read_wall=$wall
  if [ "$read_status" = 0 ] && ! cmp -s "$work/late.eep" "$work/image.eep"; then
    live_wrong=$((live_wrong + 1))
  fi
  timed write --port "$port" "$work/image.eep"
  write_status=$status
  write_wall=$wall
  stop_sim
  if [ "$write_status" = 0 ] && ! cmp -s <(head -c "$length" "$work/devl.eep") "$work/image.eep"; then
    live_wrong=$((live_wrong + 1))
  fi
  printf "  rq7-sim seed %d: read status %d in %.1f s, verified write status %d in %.1f s\n" \
    "$seed" "$read_status" "$read_wall" "$write_status" "$write_wall"
done
printf "  rq7-sim in real time: %d silently wrong (target 0)\n" "$live_wrong"

echo "== recovery cost against the floor"
"$bin/rq7_bench_device_read" --floor-runs "${FLOOR_SEEDS:-10}"
