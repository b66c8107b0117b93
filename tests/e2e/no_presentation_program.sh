#!/usr/bin/env bash
# Without LibreOffice the program says so and ends before its window shows.
set -euo pipefail
program="$1"
source "$(dirname "$0")/common.sh"
stagor_begin "$0" "$@"
STAGOR_SOFFICE="$work/no/soffice" "$program" --app-folder "$work/app" >"$work/out.log" 2>&1 &
pid=$!

box="$(stagor_wait_window '^vesk stagor$')"
[ -n "$box" ] || { echo "FAIL: no message box"; cat "$work/out.log"; exit 1; }
# Only the message box, no setup window: it has no menu bar to open with Alt+F, so Enter answers.
xdotool windowfocus --sync "$box" 2>/dev/null || xdotool windowfocus "$box"
xdotool key Return
stagor_wait_gone 10 || { echo "FAIL: still running after the message"; exit 1; }
status=0
wait "$pid" || status=$?
[ "$status" -ne 0 ] || { echo "FAIL: ended with status 0"; exit 1; }
[ ! -e "$work/app" ] || { echo "FAIL: the application folder was made"; exit 1; }
echo "PASS: missing LibreOffice reported, program ended"
