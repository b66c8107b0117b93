#!/usr/bin/env bash
# two_copies.sh PROGRAM other|same: a second copy of the program started on the same display
# while the first one runs a talk, with an application folder of its own ("other") or with the
# first copy's ("same", as when somebody starts the program again from the menu). The second
# copy comes up with its office, and the first copy's talk goes on undisturbed: its show and its
# office keep running and Page Down still moves the show.
set -euo pipefail
program="$1"
folder="$2"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/common.sh"
stagor_begin "$0" "$@"
source "$here/launch_screen.sh"
case "$folder" in
    other) second_app="$work/app2" ;;
    same) second_app="$work/app" ;;
    *) fail "usage: two_copies.sh PROGRAM other|same" ;;
esac

second=""
end_second() {
    [ -n "$second" ] && kill -0 "$second" 2>/dev/null || return 0
    kill "$second" 2>/dev/null || true
    wait_for '! kill -0 "$second" 2>/dev/null' 200 || kill -9 "$second" 2>/dev/null || true
    pkill -9 -f "$work/app2/lo-profile" 2>/dev/null || true
}
trap 'end_second; stagor_cleanup' EXIT

make_demo_event
start_program "$work/app" "$work/demo/Demo.evf"
enter_play_mode
first_talk_up
office="$(show_office "$work/app")"
[ -n "$office" ] || fail "no office runs on $work/app/lo-profile"
office_started="$(ps -o lstart= -p "$office")"
show="$(xdotool search --onlyvisible --name '^Presenting: ' 2>/dev/null | head -n 1)"
[ -n "$show" ] || fail "no show window"

# The second copy, on the same display.
mkdir -p "$second_app"
"$program" --app-folder "$second_app" >"$work/second.log" 2>&1 &
second=$!
wait_for 'setup_window_of "$second" >/dev/null' 300 ||
    fail "the second copy shows no setup window within 30 s; windows: $(visible_windows); its output: $(tail -n 20 "$work/second.log")"
wait_for 'grep -q "soffice started and connected" "$work/second.log"' 600 ||
    fail "the second copy's office did not start within 60 s; its output: $(tail -n 20 "$work/second.log")"
kill -0 "$second" 2>/dev/null || fail "the second copy has ended: $(tail -n 20 "$work/second.log")"

# The offices of both copies, as process id and profile.
offices() {
    pgrep -af 'soffice\.bin' | grep -o "^[0-9]* .*UserInstallation=file://$work/[^ ]*" |
        sed 's| .*UserInstallation=file://| |' | paste -sd ';'
}

# The first copy's talk is still on.
[ "$(ps -o lstart= -p "$office" 2>/dev/null)" = "$office_started" ] ||
    fail "the first copy's office ($office) has gone since the second copy started; offices now: $(offices)"
xdotool search --name '^Presenting: ' 2>/dev/null | grep -qx "$show" ||
    fail "the first copy's show window has gone; windows: $(visible_windows)"
kill -0 "$pid" 2>/dev/null || fail "the first copy has ended"
# The operator turns to the show (the second copy's window may have taken the focus) and moves on.
xdotool windowactivate --sync "$show" 2>/dev/null || true
wait_for show_has_focus 50 || fail "the show does not take the focus; focus: $(xdotool getwindowfocus getwindowname 2>/dev/null)"
xdotool key Next
wait_for '[ "$(watcher_slide)" = 2 ]' 100 ||
    fail "Page Down did not move the first copy's show to slide 2 (the watcher last saw slide $(watcher_slide))"
screen_shows_slide 2
echo "PASS: a second copy on the $folder application folder came up with its office; the first copy's show and office went on, and Page Down moved it to slide 2"
