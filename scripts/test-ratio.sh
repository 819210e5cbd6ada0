#!/usr/bin/env bash
# Prints how much of the code is tests: test lines / (src + test lines), counted over .cpp and .h
# files with blank lines and lines starting with // left out. The project keeps tests at most a
# third of all code; this only reports, it never fails the build.
set -uo pipefail
cd "$(dirname "$0")/.."

count() {
  find "$1" \( -name '*.cpp' -o -name '*.h' \) -print0 2>/dev/null |
    xargs -0 cat 2>/dev/null | grep -v '^\s*$' | grep -cv '^\s*//'
}

src=$(count src)
tests=$(count tests)
total=$((src + tests))
[ "$total" -gt 0 ] || exit 0
pct=$((tests * 1000 / total))
verdict="within"
[ $((tests * 3)) -le "$total" ] || verdict="ABOVE"
printf 'Test lines: %d of %d code lines (src %d) = %d.%d%%, %s the one-third budget\n' \
  "$tests" "$total" "$src" $((pct / 10)) $((pct % 10)) "$verdict"

if [ "${1:-}" = "--per-folder" ]; then
  for dir in tests/*/*/ tests/app/ tests/support/; do
    dir=${dir%/}
    srcdir=src/${dir#tests/}
    printf '  %-22s %5d   (src %5d)\n' "$dir" "$(count "$dir")" "$(count "$srcdir")"
  done
fi
