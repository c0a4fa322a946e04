#!/usr/bin/env bash
# Installs what the build needs, builds everything and runs every test headless; then the
# checking stages: a clang build under AddressSanitizer and UndefinedBehaviorSanitizer running
# every test program, a ThreadSanitizer build running the logic tests of the platform, the
# engine and the pages, and each fuzz target for a short fixed time from its corpus. Any
# sanitizer report or fuzzing failure fails the run.
#
# QUENDRIX_STAGES picks stages (default "gcc asan tsan fuzz"); QUENDRIX_JOBS the build and
# test parallelism (default: the number of processors); QUENDRIX_FUZZ_SECONDS the time per
# fuzz target (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

STAGES="${QUENDRIX_STAGES:-gcc asan tsan fuzz}"
JOBS="${QUENDRIX_JOBS:-$(nproc)}"
FUZZ_SECONDS="${QUENDRIX_FUZZ_SECONDS:-30}"
SANITIZERS="$PWD/scripts/sanitizers"
export QT_QPA_PLATFORM=offscreen

has_stage() { [[ " $STAGES " == *" $1 "* ]]; }
stage() { echo; echo "=== $* ($(date +%H:%M:%S))"; }

configure_clang() { # <folder> <cmake options...>
    local dir="$1"
    shift
    CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DQUENDRIX_BUILD_BENCH=OFF "$@"
}

if has_stage gcc; then
    stage "gcc: build and the whole suite"
    cmake -S . -B build -G Ninja
    cmake --build build -j "$JOBS"
    ctest --test-dir build --output-on-failure -j "$JOBS" --timeout 600
fi

if has_stage asan; then
    stage "clang with AddressSanitizer and UndefinedBehaviorSanitizer: every test program"
    configure_clang build-asan -DQUENDRIX_SANITIZE=address,undefined
    cmake --build build-asan -j "$JOBS"
    ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1" \
    LSAN_OPTIONS="suppressions=$SANITIZERS/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
        ctest --test-dir build-asan --output-on-failure -j "$JOBS" --timeout 900
fi

if has_stage tsan; then
    stage "clang with ThreadSanitizer: logic tests of the platform, the engine and the pages"
    configure_clang build-tsan -DQUENDRIX_SANITIZE=thread
    cmake --build build-tsan -j "$JOBS" --target platform_core_tests engine_tests \
        shell_facts_tests pages_care_tests pages_tools_tests
    # Journeys drive widgets, which only Qt's uninstrumented code runs; they are left out here.
    TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$SANITIZERS/tsan.supp" \
        ctest --test-dir build-tsan --output-on-failure -j "$JOBS" --timeout 900 \
        -R '^(platform_core_tests|engine_tests|shell_facts_tests|pages_care_tests|pages_tools_tests)\.' \
        -E 'Journey|Screenshot'
fi

if has_stage fuzz; then
    stage "libFuzzer: each target for ${FUZZ_SECONDS} s from its corpus"
    configure_clang build-fuzz -DQUENDRIX_FUZZ=ON
    cmake --build build-fuzz -j "$JOBS" --target fuzz_all
    for program in build-fuzz/tests/fuzz/fuzz_*; do
        [[ -x "$program" && -f "$program" ]] || continue
        name="${program##*/fuzz_}"
        work="build-fuzz/fuzz-corpus/$name"
        mkdir -p "$work"
        echo "--- $name"
        if ! "$program" -max_total_time="$FUZZ_SECONDS" -timeout=20 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="build-fuzz/fuzz-$name-" \
            "$work" "tests/fuzz/corpus/$name" 2>&1 | tail -n 15; then
            echo "fuzz target $name failed; the input is kept under build-fuzz/"
            exit 1
        fi
    done
fi
echo; echo "=== all stages passed: $STAGES"
