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
[ -n "$(stagor_wait_window '^vesk stagor$')" ] || fail "no setup window"
kill -TERM "$pid"
stagor_wait_gone 15 || fail "still running 15 s after SIGTERM"
wait "$pid" || fail "ended with an error"
[ ! -e "$work/app/$pid" ] || fail "working folder left"
pid=""
! pgrep -f "$work/app/lo-profile" >/dev/null || fail "LibreOffice left running"
echo "PASS: ended on SIGTERM, cleaned up, no LibreOffice left"
