#!/usr/bin/env bash
# Without LibreOffice the program says so and ends before its window shows.
set -euo pipefail
program="$1"
source "$(dirname "$0")/common.sh"
stagor_begin "$0" "$@"
STAGOR_SOFFICE="$work/no/soffice" "$program" --app-folder "$work/app" >"$work/out.log" 2>&1 &
pid=$!

box="$(stagor_wait_window '^vesk stagor$')"
[ -n "$box" ] || fail "no message box"
# Only the message box, no setup window: it has no menu bar to open with Alt+F, so Enter answers.
xdotool windowfocus --sync "$box" 2>/dev/null || xdotool windowfocus "$box"
xdotool key Return
stagor_wait_gone 10 || fail "still running after the message"
! wait "$pid" || fail "ended with status 0"
[ ! -e "$work/app" ] || fail "the application folder was made"
echo "PASS: missing LibreOffice reported, program ended"
