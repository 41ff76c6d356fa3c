#!/bin/sh
# Every CPU and memory figure of the real programs beside its references, from one
# run under Wine and Xvfb: builds the i686 programs and bench_beside_references.exe
# with its three reference programs in their own build folder, runs them in a Wine
# prefix of their own (with an input agent for the hung-client click), and writes
#   build/bench-results/win32.txt     everything the run printed
#   build/bench-results/win32.md      its figures as Markdown tables, to paste
# About 20 minutes with the defaults; a short run, for instance:
#   scripts/bench-win32.sh --quiet-seconds 20 --samples 5 --long-quiet-seconds 60 \
#       --busy-seconds 20 --long-line-seconds 30
# Options go to the driver (see bench/win32/beside_references.cpp):
#   --phases quiet,latency,busy,hang,longlines  --quiet-seconds 60  --samples 20
#   --long-quiet-seconds 600  --busy-seconds 60  --hang-seconds 30  --click-after 4
#   --long-line-seconds 120  --long-line-rate 4  --long-line-bytes 4096
#   --command-every 5  --answer-wait 180  --text-limit 0 (the stand-in's byte limit)  --same-lines 0
# BENCH_WINEPREFIX chooses the prefix (default build/wine-bench-win32), BENCH_ARCH the
# build (i686, the shipped one, or x86_64, for a kernel that runs no 32-bit programs),
# BENCH_BUILD its folder (default build/bench-w32, or build/bench-x86_64). Never part
# of `make test`.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
arch=${BENCH_ARCH:-i686}
case $arch in
i686) build=${BENCH_BUILD:-$here/build/bench-w32} ;;
x86_64) build=${BENCH_BUILD:-$here/build/bench-x86_64} ;;
*) echo "bench-win32: BENCH_ARCH is i686 or x86_64, not $arch" >&2; exit 2 ;;
esac
results=$here/build/bench-results
export WINEPREFIX="${BENCH_WINEPREFIX:-$here/build/wine-bench-win32}"
. "$here/scripts/wine-env.sh"
mkdir -p "$results"
cmake --preset "mingw-$arch" -B "$build" >/dev/null
cmake --build "$build" -j2 --target lantern-idle standin-client bench_counting_addon bench_idle_reference \
    bench_poller_reference bench_floor_reference bench_beside_references >/dev/null
"$here/scripts/wine-prefix.sh"

{
    echo "# $(date -u +%Y-%m-%dT%H:%MZ) $(wine --version), $(nproc) cores,$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2), load average $(cut -d' ' -f1-3 /proc/loadavg)"
    echo "# $arch bench_beside_references.exe $*"
    cd "$build/bench"
    # No `wineserver -p`: the driver starts every other program inside one server.
    xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
        "$0" "${WINELOADER:-wine}" bench_beside_references.exe --log-folder bench-logs "$@"
        status=$?
        wineserver -k
        exit $status' "$here/scripts/input-agent.py" "$@" 2>&1 | tr -d '\r'
} | tee "$results/win32.txt"

# The figures as tables: each program beside the others, then every other figure.
day=$(date +%Y-%m-%d)
{
    echo "| phase | program | CPU (% of a core) | working set (KiB) | PrivateUsage (KiB) | PagefileUsage (KiB) | RssAnon (KiB) |"
    echo "|---|---|---|---|---|---|---|"
    grep '^RESULT' "$results/win32.txt" | awk -F '\t' '
        function keep(key, measure, value) {
            if (!(key in seen)) { seen[key] = 1; order[++n] = key }
            cell[key, measure] = value
        }
        $2 ~ /: .* (CPU|working set|private bytes|PagefileUsage|RssAnon)$/ {
            split($2, parts, ": "); phase = parts[1]; rest = substr($2, length(phase) + 3)
            if (match(rest, / (CPU|working set|private bytes|PagefileUsage|RssAnon)$/)) {
                keep(phase "\t" substr(rest, 1, RSTART - 1), substr(rest, RSTART + 1), $3)
            }
        }
        END {
            for (i = 1; i <= n; i++) {
                split(order[i], k, "\t")
                printf "| %s | %s | %s | %s | %s | %s | %s |\n", k[1], k[2], cell[order[i], "CPU"],
                    cell[order[i], "working set"], cell[order[i], "private bytes"], cell[order[i], "PagefileUsage"],
                    cell[order[i], "RssAnon"]
            }
        }'
    echo
    echo "| figure | value | how it was measured | date |"
    echo "|---|---|---|---|"
    grep '^RESULT' "$results/win32.txt" | awk -F '\t' -v day="$day" '
        $2 !~ /: .* (CPU|working set|private bytes|PagefileUsage|RssAnon)$/ { printf "| %s | %s %s | %s | %s |\n", $2, $3, $4, $5, day }'
} > "$results/win32.md"
echo
cat "$results/win32.md"
