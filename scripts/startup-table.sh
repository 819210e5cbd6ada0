#!/usr/bin/env bash
# Builds the start-up benchmark in the release build and prints its tables: the first painted
# main window against a minimal Qt window, rows loaded, peak memory and shutdown per journal
# size, then the store's rows load against the sqlite3 tool. Extra arguments go to the benchmark
# (--sizes 0,10000,100000 --runs 5 --journals FOLDER).
#   --x11  also measures on an X display (a private Xvfb), as a desktop session shows windows.
set -euo pipefail
cd "$(dirname "$0")/.."
x11=false
arguments=()
for argument in "$@"; do
  if [ "$argument" = --x11 ]; then x11=true; else arguments+=("$argument"); fi
done
./scripts/setup.sh --bench
cmake --preset release >/dev/null
cmake --build --preset release --target bench_startup -- -j"${JOBS:-2}" >/dev/null
build/release/bench/bench_startup "${arguments[@]}"
if $x11; then
  echo
  echo "On an X display (Xvfb):"
  echo
  xvfb-run -a -s "-screen 0 1920x1080x24" \
    build/release/bench/bench_startup --platform xcb "${arguments[@]}"
fi
