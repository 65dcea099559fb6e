#!/usr/bin/env bash
# Builds the whole suite with the address and undefined-behaviour sanitizers
# and runs every test; then builds the fuzz targets with clang and runs each briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${TEST_PACKAGES[@]}"

jobs=$(nproc)
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWPLATOMAT_SANITIZE=ON >/dev/null
cmake --build build/test -j "$jobs"

export QT_QPA_PLATFORM=offscreen
# The suite's own temporary folder: whatever a test leaves there is a fault.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    mkdir -m 0700 "$scratch/runtime"
    export XDG_RUNTIME_DIR=$scratch/runtime
fi
# The spooler's filters run as another user and must reach the tests' folders, as in /tmp.
chmod 0755 "$scratch" && mkdir -m 1777 "$scratch/tmp"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Libraries that keep their caches until the process ends (the list says which).
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
TMPDIR=$scratch/tmp ctest --test-dir build/test --output-on-failure -j "$jobs"
if [ -n "$(ls -A "$scratch/tmp")" ]; then
    echo "The tests left these in the temporary folder:"
    ls -A "$scratch/tmp"
    exit 1
fi

if ls fuzz/*.cpp >/dev/null 2>&1; then
    CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
          -DWPLATOMAT_FUZZ=ON -DWPLATOMAT_TESTS=OFF -DWPLATOMAT_BENCH=OFF >/dev/null
    cmake --build build/fuzz -j "$jobs"
    # A minute and a half of fuzzing in all, shared by the targets.
    targets=(build/fuzz/fuzz/fuzz_*)
    seconds=$((90 / ${#targets[@]} > 15 ? 90 / ${#targets[@]} : 15))
    for target in "${targets[@]}"; do
        [ -f "$target" ] && [ -x "$target" ] || continue
        name=$(basename "$target"); name=${name#fuzz_}
        corpus=$(mktemp -d)
        [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$corpus/"
        # The settings file's bounds (512 levels, names of 16 383 characters) lie
        # beyond the default input length; the reader takes up to 256 KiB.
        max_len=()
        [ "$name" = registry ] && max_len=(-max_len=262144)
        echo "fuzzing $name for $seconds s"
        "$target" -max_total_time="$seconds" -rss_limit_mb=2048 "${max_len[@]}" "$corpus" 2>&1 | tail -n 3
        rm -rf "$corpus"
    done
fi
