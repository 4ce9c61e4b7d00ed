#!/usr/bin/env bash
# Language benchmark (a measurement, not a test):
#  - start to main window shown, with English saved as the language
#    (target <= 0.3 s): inside the program from main() to the window's
#    first exposure, and the whole process as the shell sees it (loading,
#    start, the measurements below, exit);
#  - one re-labelling of every window in English (target <= 50 ms); each
#    lookup opens and reads the language file, nothing is cached;
#  - one lookup, near the top and at the end of english.lng.
# Builds a Release configuration in build/bench-language. Runs under the
# display given, else under one xvfb-run (1600x1200) for all runs, else
# offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."

# One virtual display for all runs, so that its start is not timed.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  exec xvfb-run -a -s "-screen 0 1600x1200x24" "$0" "$@"
fi

build=build/bench-language
starts=${STARTS:-5}
runs=${RELABEL_RUNS:-50}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DRQ7_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target rq7_bench_language rq7_language_files >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/settings"
cp "$build"/bin/*.lng "$work/program/"
printf '[Options]\nLanguage=English\n' >"$work/settings/RQ7 Init.conf"

run() {
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$@"
  else
    QT_QPA_PLATFORM=offscreen "$@"
  fi
}

for i in $(seq "$starts"); do
  begin=$(date +%s%N)
  out=$(run "$build/bin/rq7_bench_language" "$work/program" "$work/settings" "$runs" 2>/dev/null)
  end=$(date +%s%N)
  echo "--- start $i"
  echo "$out"
  echo "process_wall $(( (end - begin) / 1000000 )) ms"
done
