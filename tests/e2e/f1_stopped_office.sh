#!/usr/bin/env bash
# F1 while the office that runs the shows has stopped answering (stopped outright, as a hung
# office is): the setup window is back within a second, and closing it still ends the program
# within 20 s, without the office left behind.
set -euo pipefail
program="$1"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/common.sh"
stagor_begin "$0" "$@"
source "$here/launch_screen.sh"

make_demo_event
start_program "$work/app" "$work/demo/Demo.evf"
enter_play_mode
first_talk_up
xdotool key Escape
screen_shows_holding
office="$(show_office "$work/app")"
[ -n "$office" ] || fail "no office runs on $work/app/lo-profile"
kill -STOP "$office"

wait_for '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$launch" ]' 50 ||
    fail "the launch screen does not have the focus for F1"
pressed="$(date +%s%N)"
xdotool key F1
wait_for 'back="$(setup_window_of "$pid")"' 300 ||
    fail "no setup window within 30 s of F1; windows: $(visible_windows)"
took=$((($(date +%s%N) - pressed) / 1000000))
[ "$took" -le 1000 ] || fail "the setup window came back $took ms after F1, not within 1000 ms"
[ -z "$(launch_window)" ] || fail "the launch screen is still up beside the setup window"

# Closed as with the window's close button, the office still stopped.
closed="$(date +%s%N)"
wmctrl -ic "$back"
stagor_wait_gone 20 || fail "the program still runs 20 s after its setup window was closed; windows: $(visible_windows)"
ended=$((($(date +%s%N) - closed) / 1000000))
wait "$pid" || fail "the program ended with status $?"
[ ! -e "$work/app/$pid" ] || fail "the program's working folder $work/app/$pid is left"
office_state="$(ps -o stat= -p "$office" || true)"
[ -z "$office_state" ] || [[ "$office_state" == Z* ]] ||
    fail "the office ($office) is left behind, in state $office_state"
pid=""
echo "PASS: the setup window was back $took ms after F1 with the office stopped; closing it ended the program ($ended ms) and the office"
