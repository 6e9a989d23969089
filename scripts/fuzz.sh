#!/bin/sh
# Builds the libFuzzer targets with clang (AddressSanitizer + UndefinedBehaviorSanitizer) and runs
# each one for a bounded time on the committed corpus. A crash, leak or sanitizer report fails.
#   scripts/fuzz.sh [seconds-per-target]   run every target (default 60 s each)
#   scripts/fuzz.sh seeds                  rewrite the seed corpora under fuzz/corpus
# Environment: ORV_FUZZ_BUILD (build folder, default build-fuzz), ORV_FUZZ_JOBS (default 2),
# ORV_FUZZ_TARGETS (default "open palette settings"), ORV_FUZZ_SEED and ORV_FUZZ_RUNS (a fixed
# random seed and a number of runs per target: the same inputs every time, as CI wants; the
# seconds then only bound a slow machine's run, which stops early on the same sequence).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORV_FUZZ_BUILD:-$root/build-fuzz}
jobs=${ORV_FUZZ_JOBS:-2}
targets=${ORV_FUZZ_TARGETS:-open palette settings}
arg=${1:-60}

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORV_FUZZ=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
fi
nice cmake --build "$build" -j"$jobs" --target orv-fuzz-open orv-fuzz-palette orv-fuzz-settings orv-fuzz-seeds

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

if [ "$arg" = seeds ]; then
    exec "$build/fuzz/orv-fuzz-seeds" "$root/fuzz/corpus"
fi

status=0
for t in $targets; do
    work=$(mktemp -d)
    echo "== orv-fuzz-$t: ${ORV_FUZZ_RUNS:+$ORV_FUZZ_RUNS runs, at most }$arg s on fuzz/corpus/$t"
    # New inputs go to a scratch folder first so the committed corpus only changes on purpose.
    fixed=""
    [ -n "${ORV_FUZZ_SEED:-}" ] && fixed="$fixed -seed=$ORV_FUZZ_SEED"
    [ -n "${ORV_FUZZ_RUNS:-}" ] && fixed="$fixed -runs=$ORV_FUZZ_RUNS"
    # shellcheck disable=SC2086
    if ! "$build/fuzz/orv-fuzz-$t" -max_total_time="$arg" $fixed -rss_limit_mb=2048 -timeout=10 \
            -print_final_stats=1 -artifact_prefix="$build/crash-$t-" \
            "$work" "$root/fuzz/corpus/$t"; then
        echo "orv-fuzz-$t FAILED: see $build/crash-$t-*" >&2
        status=1
    fi
    rm -rf "$work"
done
exit $status
