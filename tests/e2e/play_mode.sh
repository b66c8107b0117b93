#!/usr/bin/env bash
# Play mode with the real LibreOffice on the demo event, driven by the keys of an operator's
# remote: a talk through three slides and its records, blank and pop-up drawn on the screen, auto
# run on the window's own timer, a LibreOffice killed mid-talk, F1 back to the setup window. The
# rules behind each key are tested in tests/show/LaunchControllerTest.cpp.
set -euo pipefail
program="$1"
demo="$(dirname "$program")/vesk-stagor-demo"
source "$(dirname "$0")/common.sh"
stagor_begin "$0" "$@"

log="$work/desktop/stagor.log"
record="$work/app/Record.log"
log_text() { tr -d '\r' <"$log"; }
speaker_records() { grep -c '^\[Speaker\]' "$log" 2>/dev/null || true; }
launches() { [ -f "$record" ] && echo $(($(wc -l <"$record") / 4)) || echo 0; }
show_has_focus() { xdotool getwindowfocus getwindowname 2>/dev/null | grep -q '^Presenting: '; }
launch_window() {
    local id
    for id in $(xdotool search --onlyvisible --name '^vesk stagor$' 2>/dev/null); do
        fills_a_monitor "$id" && echo "$id" && break
    done
    return 0
}
# A key for the launch screen. Without a window manager nothing gives it the focus back when a
# show's window goes, so the script does; a window manager must, with the program's help.
launch_key() {
    if have_window_manager; then
        wait_for '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$launch" ]' 50 ||
            fail "the launch screen does not have the focus for $*"
    else
        xdotool windowfocus "$launch" 2>/dev/null || true
        sleep 0.2
    fi
    xdotool key "$@"
}
# Presses OK on a message box of ours, when one is up.
answer_message() {
    local id
    for id in $(xdotool search --onlyvisible --name '^vesk stagor$' 2>/dev/null); do
        [ "$id" = "$setup" ] && continue
        fills_a_monitor "$id" && continue
        xdotool windowfocus "$id" 2>/dev/null || true; sleep 0.2; xdotool key Return
    done
    return 0
}
screen_sum() { import -window root png:- 2>/dev/null | md5sum; }
# Presses a key on the launch screen; true when the screen then differs from $before.
screen_changes_on() { launch_key "$1"; sleep 0.5; [ "$(screen_sum)" != "$before" ]; }

"$demo" "$work/demo" >"$work/demo.log" 2>&1 || fail "no demo event: $(cat "$work/demo.log")"
mkdir -p "$work/app"
printf 'True\r\n' >"$work/app/TLog.ini"
QT_LOGGING_RULES="stagor.show.debug=true" \
    "$program" --app-folder "$work/app" "$work/demo/Demo.evf" >"$work/out.log" 2>&1 &
pid=$!

setup="$(stagor_wait_window '^vesk stagor$')"
[ -n "$setup" ] || fail "no setup window within 30 s"
# Play, then the power warning of a machine that tells nothing about its power supply.
launch=""
for _ in $(seq 1 20); do
    xdotool windowfocus "$setup" 2>/dev/null || true; sleep 0.3; xdotool key alt+p
    sleep 1; answer_message; sleep 0.5
    launch="$(launch_window)"
    [ -n "$launch" ] && break
done
[ -n "$launch" ] || fail "no full-screen launch screen after Play"

# Talk 1 through three slides.
launch_key Next
wait_for show_has_focus 600 || fail "talk 1 did not come up within 60 s"
watcher_slide() { grep -o 'watcher: running 1, slide [0-9]*' "$work/out.log" | tail -n 1 | grep -o '[0-9]*$'; }
wait_for '[ "$(watcher_slide)" = 1 ]' 100 || fail "the watcher did not see slide 1"
for slide in 2 3; do
    sleep 1.2 # the slide is on screen for a while
    xdotool key Next
    wait_for '[ "$(watcher_slide)" = '$slide' ]' 50 || fail "Page Down did not move the show to slide $slide"
done
sleep 1.2
xdotool key Escape
wait_for '[ "$(speaker_records)" = 1 ]' 50 || fail "no speaker record after the show ended"
# A slide's time is the moment it was left: none for slide 3, where the show ended, nor for 4.
log_text | grep -Pzq '(?m)^Ada Lovelace, #4\n.*\n1 {13}True, 00:00:0[1-9]\n2 {13}, 00:00:0[1-9]\n3 {13}\n4 {13}\n' ||
    fail "the record of talk 1 is not its name, 4 slides and the times of slides 1 and 2: $(cat "$log")"
[ "$(launches)" = 1 ] || fail "Record.log does not hold one launch"

# Blank, restore, pop-up 2.
wait_for '[ -n "$(launch_window)" ]' 50 || true
sleep 1.5 # the closed talk's window has gone
before="$(screen_sum)"
screen_changes_on b || fail "B did not blank the screen"
! screen_changes_on x || fail "a key did not restore the blanked screen"
screen_changes_on 2 || fail "2 did not show pop-up 2"
launch_key BackSpace

# Auto run: the next talk starts five seconds after Shift+A, on its own.
launch_key shift+a
wait_for show_has_focus 150 || fail "auto run did not launch talk 2"
[ "$(launches)" = 2 ] || fail "auto run's launch is not recorded"
launch_key shift+a
launch_key shift+a # auto run off again (on with loop, then off)
# LibreOffice dies in the middle of talk 2: its record is still written.
pkill -9 -f "$work/app/lo-profile" || true
wait_for '[ "$(speaker_records)" = 2 ]' 50 || fail "no record for the talk LibreOffice died in"
log_text | grep -q '^Alan Kay, #\|^Grace Hopper, #' || fail "the record does not name talk 2"
shows_seen() { grep -c 'watcher: running 1' "$work/out.log" || true; }
seen="$(shows_seen)"
launch_key Next
wait_for show_has_focus 600 || fail "the next Page Down did not start LibreOffice again"
# Escape only once the program follows the show, as the presenter of talk 1 did.
wait_for '[ "$(shows_seen)" -gt "$seen" ]' 100 || fail "the watcher did not see the new show"
xdotool key Escape
wait_for '[ "$(speaker_records)" = 3 ]' 50 || fail "no record after LibreOffice came back"

# F1: back to the setup window.
launch_key F1
wait_for '[ -z "$(launch_window)" ]' 100 || fail "F1 did not leave play mode"
wait_for 'xdotool search --onlyvisible --name "^vesk stagor$|^Demo$" >/dev/null 2>&1' 100 ||
    fail "the setup window did not come back"
echo "PASS: launched, timed, blanked, popped up, auto-ran, survived a dead office, returned"
