#!/usr/bin/env bash
# Asked to end from outside (SIGTERM, as at a logout) while LibreOffice is still starting: the
# program ends within a few seconds without asking anything, removes its working folder and
# leaves no LibreOffice behind.
set -euo pipefail
program="$1"
source "$(dirname "$0")/common.sh"
stagor_begin "$0" "$@"

"$program" --app-folder "$work/app" >"$work/out.log" 2>&1 &
pid=$!
window="$(stagor_wait_window '^vesk stagor$')"
[ -n "$window" ] || { echo "FAIL: no setup window"; cat "$work/out.log"; exit 1; }
kill -TERM "$pid"
stagor_wait_gone 15 || { echo "FAIL: still running 15 s after SIGTERM"; exit 1; }
wait "$pid" || { echo "FAIL: ended with an error"; cat "$work/out.log"; exit 1; }
[ ! -e "$work/app/$pid" ] || { echo "FAIL: working folder left"; exit 1; }
pid=""
! pgrep -f "$work/app/lo-profile" >/dev/null || { echo "FAIL: LibreOffice left running"; exit 1; }
echo "PASS: ended on SIGTERM, cleaned up, no LibreOffice left"
