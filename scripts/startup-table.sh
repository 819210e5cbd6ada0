#!/usr/bin/env bash
# Builds the start-up benchmark in the release build and prints its tables: the first painted
# main window against a minimal Qt window, rows loaded, peak memory and shutdown per journal
# size, then the store's rows load against the sqlite3 tool. Extra arguments go to the benchmark
# (--sizes 0,10000,100000 --runs 5 --journals FOLDER).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh --bench
cmake --preset release >/dev/null
cmake --build --preset release --target bench_startup -- -j"${JOBS:-2}" >/dev/null
exec build/release/bench/bench_startup "$@"
