#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit and widget tests, the
# whole program under a virtual X server, and a bounded run of the event-file fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

status=0
ctest --test-dir build --output-on-failure -j2 --timeout 300 || status=$?

if command -v clang++ >/dev/null 2>&1; then
    bash scripts/fuzz.sh "${FUZZ_SECONDS:-60}" || status=$?
else
    echo "clang++ not found: fuzzing skipped"
fi
exit $status
