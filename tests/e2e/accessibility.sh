#!/usr/bin/env bash
# The setup window as assistive technology sees it, over AT-SPI on a private session bus.
set -euo pipefail
program="$1"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/common.sh"
stagor_begin_accessible "$0" "$@"
# One launch in the record, of a file that is there.
mkdir -p "$work/app" "$work/talks"
echo deck >"$work/talks/Ada.pptx"
printf 'Ada\n%s\n01/03/2026\n \n' "$work/talks/Ada.pptx" >"$work/app/Record.log"
"$program" --app-folder "$work/app" >"$work/out.log" 2>&1 &
pid=$!
/usr/bin/python3 "$here/accessible_tree.py" || fail "the accessible tree"
