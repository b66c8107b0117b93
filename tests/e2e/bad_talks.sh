#!/usr/bin/env bash
# Talks that cannot be shown, in play mode with the real LibreOffice: a presentation cut off half
# way, one locked with a password, a text file under a presentation's name, then a good one. For
# each bad talk the audience keeps the holding slide and never sees a dialog of the office's, the
# operator reads on the launch screen which talk failed and why, Page Down tries the same talk
# again, and "]" moves on; the good talk then comes up as usual.
set -euo pipefail
program="$1"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/common.sh"
stagor_begin_accessible "$0" "$@"
source "$here/launch_screen.sh"

# The demo's three talks are made bad in place; a fourth speaker gets a good copy of the first.
make_demo_event
talks="$work/demo"
good="$talks/Barbara Liskov.pptx"
cp "$talks/Ada Lovelace.pptx" "$good"

# Ada's presentation cut off half way, as an interrupted copy leaves it.
size="$(stat -c %s "$talks/Ada Lovelace.pptx")"
head -c $((size / 2)) "$talks/Ada Lovelace.pptx" >"$work/cut.pptx"
mv "$work/cut.pptx" "$talks/Ada Lovelace.pptx"

# Grace's locked with a password by an office of our own, which ends with the subshell.
(
    pipe="stagor_bad_talks_$$"
    soffice --headless --norestore --nologo --nolockcheck \
        "-env:UserInstallation=file://$work/password-profile" \
        "--accept=pipe,name=$pipe;urp;" >"$work/password-office.log" 2>&1 &
    office=$!
    end_office() {
        wait_for '! kill -0 "$office" 2>/dev/null' 150 && return 0
        kill -9 $(pgrep -P "$office") "$office" 2>/dev/null || true
    }
    trap end_office EXIT
    /usr/bin/python3 "$here/password_talk.py" "$pipe" "$talks/Grace Hopper.pptx" \
        "$work/locked.pptx" 'not the operator' >"$work/password.log" 2>&1 ||
        fail "no password-protected presentation: $(tail -n 5 "$work/password.log")"
)
mv "$work/locked.pptx" "$talks/Grace Hopper.pptx"

# Alan's is a text file renamed.
printf 'Agenda\n\n09:00 Welcome\n09:15 The Future, Invented\n' >"$talks/Alan Kay.pptx"

/usr/bin/python3 "$here/event_file.py" "$talks/Demo.evf" speakers \
    "Ada Lovelace" "$talks/Ada Lovelace.pptx" "Grace Hopper" "$talks/Grace Hopper.pptx" \
    "Alan Kay" "$talks/Alan Kay.pptx" "Barbara Liskov" "$good" || fail "the event was not rewritten"

start_program "$work/app" "$talks/Demo.evf"
enter_play_mode

launched() { grep -c 'show of ' "$work/out.log" || true; }
last_launch() { grep -o '\(no \)\?show of .*' "$work/out.log" | tail -n 1; }
status_line() { /usr/bin/python3 "$here/accessible_tree.py" status 2>/dev/null; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Presses Page Down on the launch screen and looks at the screens every tenth of a second until
# the launch is over (the log tells how it went) and 3 s after it: nothing but the program's
# windows and the show may be on them meanwhile. Fails when the launch is not over within 60 s.
page_down_watched() {
    local before over_at="" strays start
    before="$(launched)"
    launch_key Next
    start="$(now_ms)"
    while :; do
        strays="$(no_stray_windows)" ||
            fail "$strays $(($(now_ms) - start)) ms after Page Down; the launch ${over_at:+was over}${over_at:-was not over yet}"
        [ -z "$over_at" ] && [ "$(launched)" -gt "$before" ] && over_at="$(now_ms)"
        [ -n "$over_at" ] && [ $(($(now_ms) - over_at)) -ge 3000 ] && return 0
        [ $(($(now_ms) - start)) -lt 60000 ] || fail "the launch was not over 60 s after Page Down"
        sleep 0.1
    done
}

# Speaker $2's presentation $1 cannot be shown: Page Down fails it and leaves the launch screen
# on the holding slide, naming the talk and the reason the log gives, and the next Page Down tries
# the same presentation again. Sets $reason.
bad_talk() {
    local path="$1" name="$2" try
    for try in first second; do
        page_down_watched
        [[ "$(last_launch)" == "no show of $path: "* ]] ||
            fail "the $try Page Down on $name's talk launched: $(last_launch)"
        [ "$(launch_window)" = "$launch" ] || fail "the launch screen is gone after $name's talk failed"
        screen_shows_holding
        reason="$(last_launch)"
        reason="${reason#"no show of $path: "}"
        [ -n "$reason" ] || fail "the log gives no reason why $name's talk failed"
        wait_for 'shown="$(status_line)"; [ "$shown" = "$name could not be shown: $reason" ]' 100 ||
            fail "after the $try Page Down the launch screen says '$shown', not '$name could not be shown: $reason'"
    done
    echo "$name: $reason"
}

bad_talk "$talks/Ada Lovelace.pptx" "Ada Lovelace"
launch_key bracketright
bad_talk "$talks/Grace Hopper.pptx" "Grace Hopper"
[[ "$reason" == *password* ]] ||
    fail "the reason given for the locked presentation does not say that it needs a password"
launch_key bracketright
bad_talk "$talks/Alan Kay.pptx" "Alan Kay"

# The failures have not stopped play mode: "]" moves on to the good talk, which comes up.
launch_key bracketright
page_down_watched
[ "$(last_launch)" = "show of $good: 4 slides" ] || fail "the good talk was not shown: $(last_launch)"
wait_for show_has_focus 50 || fail "the good talk's show does not have the focus"
wait_for '[ "$(watcher_slide)" = 1 ]' 100 || fail "the watcher did not see the good talk's slide 1"
screen_shows_slide 1
xdotool key Escape
screen_shows_holding
wait_for 'shown="$(status_line)" && [ -z "$shown" ]' 50 ||
    fail "the launch screen still says '$shown' after a talk was shown"
echo "PASS: three bad talks failed in place without a dialog, named with their reasons and tried again; the good talk then came up"
