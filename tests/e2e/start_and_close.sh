#!/usr/bin/env bash
# Started with a fresh application folder and closed from the File menu without changing
# anything: nothing is asked, "Previous.INI" holds four "[Empty]" lines and the run's working
# folder is gone.
set -euo pipefail
program="$1"
source "$(dirname "$0")/common.sh"
stagor_begin "$0" "$@"

"$program" --app-folder "$work/app" >"$work/out.log" 2>&1 &
pid=$!
window="$(stagor_wait_window '^vesk stagor$')"
[ -n "$window" ] || fail "no setup window within 30 s"
[ -d "$work/app/$pid" ] || fail "no working folder $work/app/$pid while running"
[ -d "$work/app/Help" ] || fail "no Help folder"

xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool key --delay 100 alt+f
sleep 0.5
xdotool key x
stagor_wait_gone 20 || fail "the program did not end within 20 s of Exit (a question may be open)"
wait "$pid" || fail "the program ended with an error"
expected=$'[Empty]\r\n[Empty]\r\n[Empty]\r\n[Empty]\r\n'
[ "$(cat "$work/app/Previous.INI"; echo .)" = "${expected}." ] || fail "Previous.INI is not four [Empty] lines"
[ ! -e "$work/app/$pid" ] || fail "the working folder is still there"
echo "PASS: started, closed untouched without a question, cleaned up"
