#!/bin/sh
# The benchmarks of the real Windows programs under Wine and Xvfb: builds the i686
# programs and benchmarks in their own build folder, runs them in a Wine prefix of
# their own, and writes the output to the terminal and build/bench-results/wine.txt.
# Takes about twenty minutes with the defaults. Never part of `make test`.
#   scripts/bench-wine.sh [samples] [quiet seconds] [flood seconds] [pause seconds]
# BENCH_WINEPREFIX chooses the prefix (default build/wine-bench): never share one
# with other Wine programs, whose windows the benchmarks would see.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD:-$here/build/bench-w32}
results=$here/build/bench-results
samples=${1:-200}
quiet_seconds=${2:-300}
flood_seconds=${3:-60}
pause_seconds=${4:-30}
export WINEPREFIX="${BENCH_WINEPREFIX:-$here/build/wine-bench}"
. "$here/scripts/wine-env.sh"
mkdir -p "$results"
cmake --preset mingw-i686 -B "$build" >/dev/null
cmake --build "$build" -j2 --target lantern-idle standin-client bench_wait_cpu bench_addon_session \
    bench_counting_addon >/dev/null
"$here/scripts/wine-prefix.sh"

size() {
    printf 'RESULT\t%s size\t%s\tbytes\t%s\n' "$1" "$(stat -c %s "$build/bin/$1")" \
        "i686 MinGW MinSizeRel build, static, stat -c %s"
}

{
    echo "# $(date -u +%Y-%m-%dT%H:%MZ) $(wine --version), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2)"
    size lantern-idle.exe
    size standin-client.exe
    cd "$build/bench"
    xvfb-run -a -s "-screen 0 1024x768x24" sh -c "
        wineserver -p
        wine bench_wait_cpu.exe $pause_seconds
        wine bench_addon_session.exe --samples $samples --quiet-seconds $quiet_seconds \
            --flood-seconds $flood_seconds --log-folder bench-logs
        status=\$?
        wineserver -k
        exit \$status" 2>&1 | tr -d '\r'
} | tee "$results/wine.txt"
