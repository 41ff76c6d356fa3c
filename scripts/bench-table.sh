#!/bin/sh
# Turns the RESULT lines that the benchmarks print into rows of a Markdown table
# (figure | value | how it was measured | date), for docs/PERFORMANCE.md.
#   scripts/bench-table.sh build/bench-results/sim.txt build/bench-results/wine.txt
set -eu
day=$(date +%Y-%m-%d)
echo "| figure | value | how it was measured | date |"
echo "|---|---|---|---|"
grep -h '^RESULT' "$@" | awk -F '\t' -v day="$day" '{ printf "| %s | %s %s | %s | %s |\n", $2, $3, $4, $5, day }'
