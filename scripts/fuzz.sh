#!/bin/sh
# Builds the fuzz targets (fuzz/) with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build/fuzz, then fuzzes each for a fixed time
# (about a minute for all of them). Exits non-zero when any target finds a crash,
# a sanitizer report or a broken check; the input that did it is kept under
# build/fuzz/artifacts/<target>/ and the target's output under build/fuzz/logs/.
#
#   scripts/fuzz.sh                 every target, FUZZ_SECONDS (15) each, JOBS (2) at a time
#   scripts/fuzz.sh text markup     only those
#   FUZZ_SECONDS=0 scripts/fuzz.sh  only replay the seed corpora, no fuzzing
#
# To replay one input:  build/fuzz/fuzz_<target> <file>
set -eu

cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-15}
jobs=${JOBS:-2}
build=build/fuzz
all_targets="transcript markup settings text"
targets=${*:-$all_targets}

for target in $targets; do
    case " $all_targets " in
        *" $target "*) ;;
        *) echo "fuzz: no target '$target' (have: $all_targets)" >&2; exit 2 ;;
    esac
done

command -v clang++ >/dev/null 2>&1 || { echo "fuzz: clang++ missing: run scripts/setup.sh" >&2; exit 2; }
mkdir -p "$build"
# clang without its libFuzzer runtime compiles the targets but cannot link them.
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' >"$build/probe.cpp"
if ! clang++ -fsanitize=fuzzer "$build/probe.cpp" -o "$build/probe" >/dev/null 2>&1; then
    echo "fuzz: clang's libFuzzer runtime is missing (Debian 12: apt-get install libclang-rt-14-dev)" >&2
    exit 2
fi

cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$jobs" -- --no-print-directory >/dev/null

# Fuzzes one target; prints its verdict and returns non-zero on a finding.
fuzz_one() {
    target=$1
    work="$build/corpus/$target"  # grows as the fuzzer learns; the seeds stay as they are
    artifacts="$build/artifacts/$target"
    log="$build/logs/$target.log"
    mkdir -p "$work" "$artifacts" "$(dirname "$log")"
    if [ "$seconds" -gt 0 ]; then
        set -- -max_total_time="$seconds" "$work"
    else
        set -- -runs=0
    fi
    if "$build/fuzz_$target" "$@" "fuzz/corpus/$target" \
        -dict="fuzz/dict/$target.dict" -max_len=2048 -timeout=10 \
        -artifact_prefix="$artifacts/" -print_final_stats=1 >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz $target: ok, ${runs:-?} inputs in ${seconds}s"
    else
        echo "fuzz $target: FAILED (log: $log)"
        grep -E -A3 "check failed" "$log" | head -n 4 | sed 's/^/    /'
        grep -E "ERROR: |SUMMARY: |Test unit written to" "$log" | head -n 6 | sed 's/^/    /'
        return 1
    fi
}

# The targets run $jobs at a time (each fuzzer uses one core); a failed target
# leaves a mark file, so the verdicts survive the subshells.
rm -f "$build"/logs/*.failed
running=0
for target in $targets; do
    (fuzz_one "$target" || touch "$build/logs/$target.failed") &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait
        running=0
    fi
done
wait

failed=$(ls "$build"/logs/*.failed 2>/dev/null | wc -l)
total=$(echo $targets | wc -w)
echo "fuzz: $((total - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
