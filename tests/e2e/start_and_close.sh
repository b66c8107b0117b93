#!/usr/bin/env bash
# The whole program under an X server, used from outside as an operator would: start it with a
# fresh application folder, wait for the setup window, close it from the File menu without
# changing anything. Nothing may be asked, "Previous.INI" must hold four "[Empty]" lines and the
# run's working folder must be gone.
set -euo pipefail
program="$1"
source "$(dirname "$0")/common.sh"
stagor_begin "$0" "$@"

"$program" --app-folder "$work/app" >"$work/out.log" 2>&1 &
pid=$!

fail() {
    echo "FAIL: $*"
    cat "$work/out.log"
    exit 1
}

window="$(stagor_wait_window '^vesk stagor$')"
[ -n "$window" ] || fail "no setup window within 30 s"
[ -d "$work/app/$pid" ] || fail "no working folder $work/app/$pid while running"
[ -d "$work/app/Help" ] || fail "no Help folder"

# File menu, then Exit, by keyboard.
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
