#!/usr/bin/env bash
# The mutation check (see scripts/mutants.py): bash scripts/mutants.sh [--count N] [--seed S]
set -euo pipefail
cd "$(dirname "$0")/.."
[ -d build ] || bash scripts/build.sh
exec python3 scripts/mutants.py "$@"
