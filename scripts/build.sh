#!/usr/bin/env bash
# Configures and builds into build/ (two parallel jobs: the machines have two cores).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
# The Flash player (Ruffle, from npm) beside the program's resources; without it the program runs
# and says so when a Flash movie is to play.
scripts/fetch-web-deps.sh build/share/vesk-stagor-web ||
    echo "build: the Flash player could not be fetched; Flash movies will not play" >&2
