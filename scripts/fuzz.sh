#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs them for a bounded time in
# all: the seconds given are shared out among the targets.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
cmake -S . -B build-fuzz -G Ninja -DSTAGOR_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2
fuzzers=(build-fuzz/bin/*_fuzzer)
each=$(( seconds / ${#fuzzers[@]} ))
(( each > 0 )) || each=1
for fuzzer in "${fuzzers[@]}"; do
    name="$(basename "$fuzzer" _fuzzer)"
    mkdir -p "build-fuzz/corpus/$name"
    if [[ -d "tests/fuzz/corpus/$name" ]]; then
        cp -n "tests/fuzz/corpus/$name"/* "build-fuzz/corpus/$name/" 2>/dev/null || true
    fi
    echo "fuzzing $name for ${each}s"
    "$fuzzer" -max_total_time="$each" -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=1 "build-fuzz/corpus/$name"
done
