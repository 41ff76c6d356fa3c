#!/bin/sh
# The benchmarks on the simulated desktop (Linux, virtual time): builds them in
# their own build folder and runs them; their output goes to the terminal and to
# build/bench-results/sim.txt. Never part of `make test`.
#   scripts/bench-sim.sh [seconds of flood per watcher run] [hours of idling]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD:-$here/build/bench}
results=$here/build/bench-results
flood_seconds=${1:-60}
idle_hours=${2:-24}
mkdir -p "$results"
cmake --preset native -B "$build" >/dev/null
cmake --build "$build" -j2 --target bench_watcher_throughput bench_app_costs >/dev/null
{
    echo "# $(date -u +%Y-%m-%dT%H:%MZ) $(uname -m), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2)"
    "$build/bench/bench_watcher_throughput" "$flood_seconds"
    "$build/bench/bench_app_costs" "$idle_hours"
} | tee "$results/sim.txt"
