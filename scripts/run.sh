#!/usr/bin/env bash
# Installs what is missing, builds and starts vesk stagor. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
exec build/bin/vesk-stagor "$@"
