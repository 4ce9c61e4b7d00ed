#!/usr/bin/env bash
# Series benchmark (a measurement, not a test): rq7ctl series against
# rq7-sim devices on pseudo-terminals paced at 19200 baud. Times one row on
# one device, then four rows on four devices with --parallel, and prints the
# ratio (goal: four in parallel take at most 1.3 x the time of one).
# Each configuration runs RUNS times (default 3); the median counts.
# Builds a Release configuration in build/bench (BUILD=dir for another).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD:-build/bench}
baud=${BAUD:-19200}
runs=${RUNS:-3}
if [ -z "${BUILD:-}" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DRQ7_TESTS=OFF >/dev/null
  cmake --build "$build" -j2 --target rq7-sim rq7ctl >/dev/null
fi
bin=$build/bin

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export RQ7_BACKUP_DIR=$work/backups RQ7_LOG_DIR=$work/log QT_QPA_PLATFORM=offscreen

ports=()
for n in 1 2 3 4; do
  "$bin/rq7-sim" --wire-speed "$baud" >"$work/sim$n.out" 2>/dev/null &
  pids+=($!)
done
for n in 1 2 3 4; do
  for _ in $(seq 100); do
    port=$(head -n 1 "$work/sim$n.out" 2>/dev/null || true)
    [ -n "$port" ] && break
    sleep 0.05
  done
  [ -n "$port" ] || { echo "rq7-sim $n gave no terminal" >&2; exit 1; }
  ports+=("$port")
done

# A base of a typical size: station, numbers, inputs and outputs named.
{
  echo "tabJmenoStanice=Base"
  for r in 0 1 2 3 4 5 6 7; do
    echo "tabTC($r)=+42060000000$r"
    echo "tabINPNazev($r)=vstup $r"; echo "tabINPZap($r)=zapnuto $r"; echo "tabINPVyp($r)=vypnuto $r"
    echo "tabOUTNazev($r)=vystup$r"; echo "tabOUTZap($r)=zap$r"; echo "tabOUTVyp($r)=vyp$r"
  done
} >"$work/base.txt"
"$bin/rq7ctl" build "$work/base.txt" -o "$work/base.eep"
echo "settings: $(stat -c %s "$work/base.eep") bytes, written and read back at $baud baud"

{ echo "port,tabJmenoStanice,tabPIN"; echo "${ports[0]},Row 1,1111"; } >"$work/one.csv"
{ echo "port,tabJmenoStanice,tabPIN"; n=0
  for p in "${ports[@]}"; do n=$((n + 1)); echo "$p,Row $n,$n$n$n$n"; done; } >"$work/four.csv"

# Seconds of one series run, three decimals.
time_series() {
  local start end
  start=$(date +%s.%N)
  "$bin/rq7ctl" series "$work/base.eep" "$@" --no-prompt >/dev/null 2>"$work/err" ||
    { cat "$work/err" >&2; exit 1; }
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}
median() { printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"; }

one=(); four=()
for _ in $(seq "$runs"); do
  one+=("$(time_series "$work/one.csv")")
  four+=("$(time_series "$work/four.csv" --parallel)")
done
m1=$(median "${one[@]}"); m4=$(median "${four[@]}")
echo "one device:              ${one[*]} s (median $m1 s)"
echo "four devices --parallel: ${four[*]} s (median $m4 s)"
echo "ratio four/one: $(echo "scale=2; $m4 / $m1" | bc) (goal <= 1.3)"
