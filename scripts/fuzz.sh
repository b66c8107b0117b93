#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
cmake -S . -B build-fuzz -G Ninja -DSTAGOR_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2
mkdir -p build-fuzz/corpus/event_file
cp -n tests/fuzz/corpus/event_file/* build-fuzz/corpus/event_file/ 2>/dev/null || true
for fuzzer in build-fuzz/bin/*_fuzzer; do
    name="$(basename "$fuzzer" _fuzzer)"
    mkdir -p "build-fuzz/corpus/$name"
    echo "fuzzing $name for ${seconds}s"
    "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=1 "build-fuzz/corpus/$name"
done
