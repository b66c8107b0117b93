#!/usr/bin/env bash
# Play mode with the real LibreOffice, driven by key presses as an operator's remote would: the
# demo event's three talks; Page Down opens talk 1, the remote's Page Down moves its show through
# three slides and Escape ends it; "stagor.log" holds the talk's per-slide times, "Record.log" the
# launch; Back reopens the talk at its last slide; "B" blanks and any key restores; "2" shows
# pop-up 2; auto run launches the next talk five seconds after a show ends; LibreOffice killed in
# the middle of a talk is survived; F1 returns to the setup window.
set -euo pipefail
program="$1"
demo="$(dirname "$program")/vesk-stagor-demo"
source "$(dirname "$0")/common.sh"
stagor_begin "$0" "$@"

fail() {
    echo "FAIL: $*"
    # STAGOR_E2E_SHOTS=FOLDER keeps a picture of the screen as it was.
    [ -n "${STAGOR_E2E_SHOTS:-}" ] && import -window root "$STAGOR_E2E_SHOTS/play_mode.png" || true
    grep -v "slide 1$" "$work/out.log" | tail -n 40 || true
    exit 1
}

# Waits up to $2 tenths of a second for the command $1 to succeed.
wait_for() {
    local condition="$1" tenths="${2:-300}"
    for _ in $(seq 1 "$tenths"); do
        eval "$condition" && return 0
        sleep 0.1
    done
    return 1
}

log="$work/desktop/stagor.log"
record="$work/app/Record.log"
log_text() { tr -d '\r' <"$log"; }
speaker_records() { grep -c '^\[Speaker\]' "$log" 2>/dev/null || true; }
launches() { [ -f "$record" ] && echo $(($(wc -l <"$record") / 4)) || echo 0; }
focused_name() { xdotool getwindowfocus getwindowname 2>/dev/null || true; }
show_has_focus() { focused_name | grep -q '^Presenting: '; }
launch_window() {
    local id
    for id in $(xdotool search --onlyvisible --name '^vesk stagor$' 2>/dev/null); do
        if xdotool getwindowgeometry "$id" | grep -q 'Geometry: 1280x800'; then
            echo "$id"
            return 0
        fi
    done
    return 0
}
# A key for the launch screen, which gets the focus back first (there is no window manager).
launch_key() {
    xdotool windowfocus "$launch" 2>/dev/null || true
    sleep 0.2
    xdotool key "$@"
}
# Presses OK on a message box of ours, when one is up.
answer_message() {
    local id
    for id in $(xdotool search --onlyvisible --name '^vesk stagor$' 2>/dev/null); do
        [ "$id" = "$setup" ] && continue
        xdotool getwindowgeometry "$id" | grep -q 'Geometry: 1280x800' && continue
        xdotool windowfocus "$id" 2>/dev/null || true
        sleep 0.2
        xdotool key Return
    done
    return 0
}
screen_sum() { import -window root png:- 2>/dev/null | md5sum; }

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
    xdotool windowfocus "$setup" 2>/dev/null || true
    sleep 0.3
    xdotool key alt+p
    sleep 1
    answer_message # the power warning of a machine that tells nothing about its supply
    sleep 0.5
    launch="$(launch_window)"
    [ -n "$launch" ] && break
done
[ -n "$launch" ] || fail "no full-screen launch screen after Play"

# Talk 1 through three slides.
launch_key Next
wait_for show_has_focus 600 || fail "talk 1 did not come up within 60 s"
watcher_slide() { grep -o 'watcher: running 1, slide [0-9]*' "$work/out.log" | tail -n 1 | grep -o '[0-9]*$'; }
wait_for '[ "$(watcher_slide)" = 1 ]' 100 || fail "the watcher did not see slide 1"
sleep 1.2 # slide 1 is on screen for a while
xdotool key Next
wait_for '[ "$(watcher_slide)" = 2 ]' 50 || fail "Page Down did not move the show to slide 2"
sleep 1.2
xdotool key Next
wait_for '[ "$(watcher_slide)" = 3 ]' 50 || fail "Page Down did not move the show to slide 3"
sleep 1.2
xdotool key Escape
wait_for '[ "$(speaker_records)" = 1 ]' 50 || fail "no speaker record after the show ended"
log_text | grep -q '^Ada Lovelace, #4$' || fail "the record does not name talk 1 and its 4 slides"
log_text | grep -Eq '^1 {13}True, 00:00:0[1-9]$' || fail "the record has no time for slide 1: $(cat "$log")"
log_text | grep -Eq '^2 {13}, 00:00:0[1-9]$' || fail "the record has no time for slide 2: $(cat "$log")"
# A slide's time is the moment it was left; the show ended on slide 3.
log_text | grep -Eq '^3 {13}$' || fail "the record has a time for slide 3, never left"
log_text | grep -Eq '^4 {13}$' || fail "the record has no line for slide 4"
[ "$(launches)" = 1 ] || fail "Record.log does not hold one launch"

# Back: talk 1 again, at its last slide.
launch_key Prior
wait_for show_has_focus 300 || fail "Back did not reopen talk 1"
sleep 1
xdotool key Escape
wait_for '[ "$(speaker_records)" = 2 ]' 50 || fail "no record for the talk reopened by Back"
[ "$(launches)" = 1 ] || fail "Back wrote a launch record"

# Blank, restore, pop-up 2.
wait_for '[ -n "$(launch_window)" ]' 50 || true
launch_key BackSpace # the holding slide is up already: nothing changes
sleep 1.5 # the closed talk's window has gone
before="$(screen_sum)"
launch_key b
sleep 0.5
blanked="$(screen_sum)"
[ "$blanked" != "$before" ] || fail "B did not blank the screen"
launch_key x
sleep 0.5
[ "$(screen_sum)" = "$before" ] || fail "a key did not restore the blanked screen"
launch_key 2
sleep 0.5
[ "$(screen_sum)" != "$before" ] || fail "2 did not show pop-up 2"
launch_key BackSpace

# Auto run: the next talk starts five seconds after Shift+A, on its own.
launch_key shift+a
wait_for show_has_focus 150 || fail "auto run did not launch talk 2"
[ "$(launches)" = 2 ] || fail "auto run's launch is not recorded"
launch_key shift+a
launch_key shift+a # auto run off again (on with loop, then off)
# LibreOffice dies in the middle of talk 2: its record is still written.
pkill -9 -f "$work/app/lo-profile" || true
wait_for '[ "$(speaker_records)" = 3 ]' 50 || fail "no record for the talk LibreOffice died in"
log_text | grep -q '^Alan Kay, #\|^Grace Hopper, #' || fail "the record does not name talk 2"
launch_key Next
wait_for show_has_focus 600 || fail "the next Page Down did not start LibreOffice again"
xdotool key Escape
wait_for '[ "$(speaker_records)" = 4 ]' 50 || fail "no record after LibreOffice came back"

# F1: back to the setup window.
launch_key F1
wait_for '[ -z "$(launch_window)" ]' 100 || fail "F1 did not leave play mode"
wait_for 'xdotool search --onlyvisible --name "^vesk stagor$|^Demo$" >/dev/null 2>&1' 100 ||
    fail "the setup window did not come back"
echo "PASS: launched, timed, reopened, blanked, popped up, auto-ran, survived a dead office, returned"
