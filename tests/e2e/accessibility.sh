#!/usr/bin/env bash
# The setup window as assistive technology sees it, over AT-SPI on a private session bus.
set -euo pipefail
program="$1"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/common.sh"
stagor_begin_accessible "$0" "$@"
"$program" --app-folder "$work/app" >"$work/out.log" 2>&1 &
pid=$!
/usr/bin/python3 "$here/accessible_tree.py" || fail "the accessible tree"
