#!/usr/bin/env bash
# Started with a fresh application folder and ended without changing anything, either from the
# File menu ("menu") or from outside while LibreOffice is still starting ("sigterm", as at a
# logout): it ends within a few seconds without asking anything, removes its working folder and
# leaves no LibreOffice behind; after Exit, "Previous.INI" holds four "[Empty]" lines.
set -euo pipefail
program="$1"
how="$2"
source "$(dirname "$0")/common.sh"
stagor_begin "$0" "$@"

"$program" --app-folder "$work/app" >"$work/out.log" 2>&1 &
pid=$!
window="$(stagor_wait_window '^vesk stagor$')"
[ -n "$window" ] || fail "no setup window within 30 s"
[ -d "$work/app/$pid" ] || fail "no working folder $work/app/$pid while running"
[ -d "$work/app/Help" ] || fail "no Help folder"

if [ "$how" = sigterm ]; then
    kill -TERM "$pid"
else
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    xdotool key --delay 100 alt+f
    sleep 0.5
    xdotool key x
fi
stagor_wait_gone 15 || fail "the program did not end within 15 s of $how (a question may be open)"
wait "$pid" || fail "the program ended with an error"
[ ! -e "$work/app/$pid" ] || fail "the working folder is still there"
pid=""
! pgrep -f "$work/app/lo-profile" >/dev/null || fail "LibreOffice left running"
if [ "$how" = menu ]; then
    expected=$'[Empty]\r\n[Empty]\r\n[Empty]\r\n[Empty]\r\n'
    [ "$(cat "$work/app/Previous.INI"; echo .)" = "${expected}." ] ||
        fail "Previous.INI is not four [Empty] lines"
fi
echo "PASS: started, ended by $how without a question, cleaned up, no LibreOffice left"
