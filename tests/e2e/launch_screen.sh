# Play mode on the demo event, for the scripts that drive the launch screen like an operator:
# source it after common.sh, once $work is set. $program is the program, $demo the demo tool
# beside it.

demo="$(dirname "$program")/vesk-stagor-demo"

# Writes the demo event (three talks, a holding slide, two pop-ups) into $work/demo.
make_demo_event() {
    "$demo" "$work/demo" >"$work/demo.log" 2>&1 || fail "no demo event: $(cat "$work/demo.log")"
}

# Starts the program on event $2 with application folder $1, its output in $work/out.log and the
# show's watcher in it; sets $pid and $setup, the setup window.
start_program() {
    mkdir -p "$1"
    QT_LOGGING_RULES="stagor.show.debug=true;stagor.libreoffice.info=true" \
        "$program" --app-folder "$1" "$2" >"$work/out.log" 2>&1 &
    pid=$!
    setup="$(stagor_wait_window '^vesk stagor$|^Demo$')"
    [ -n "$setup" ] || fail "no setup window within 30 s"
}

show_has_focus() { xdotool getwindowfocus getwindowname 2>/dev/null | grep -q '^Presenting: '; }

# The full-screen launch screen, when it is up.
launch_window() {
    local id
    for id in $(xdotool search --onlyvisible --name '^vesk stagor$' 2>/dev/null); do
        fills_a_monitor "$id" && echo "$id" && break
    done
    return 0
}

# A key for the launch screen, which must have the focus by itself under a window manager.
launch_key() {
    wait_for '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$launch" ]' 50 ||
        fail "the launch screen does not have the focus for $*; focus: $(xdotool getwindowfocus getwindowname 2>/dev/null)"
    xdotool key "$@"
}

# The setup window of the copy of the program with process id $1: on screen, not full screen.
setup_window_of() {
    local id
    for id in $(xdotool search --onlyvisible --name '^vesk stagor$|^Demo$' 2>/dev/null); do
        [ "$(xdotool getwindowpid "$id" 2>/dev/null)" = "$1" ] && ! fills_a_monitor "$id" &&
            echo "$id" && return 0
    done
    return 1
}

# A message box of ours (the power warning), when one is up.
our_message() {
    local id
    for id in $(xdotool search --onlyvisible --name '^vesk stagor$' 2>/dev/null); do
        [ "$id" != "$setup" ] && ! fills_a_monitor "$id" && echo "$id" && return 0
    done
    return 1
}

# Play from the setup window, through the power warning of a machine on battery; sets $launch and
# where the screen shows what: the demo's slides are 16:9, fitted into the launch screen's
# monitor, each with a square of its own colour 10 % in from the left and 85 % down; the holding
# slide fills the middle.
enter_play_mode() {
    local X Y WIDTH HEIGHT SCREEN WINDOW slide_w slide_h message=""
    launch=""
    xdotool windowactivate "$setup" 2>/dev/null || true
    wait_for '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$setup" ]' 100 ||
        fail "the setup window does not take the focus for Play"
    xdotool key alt+p
    wait_for 'launch="$(launch_window)"; [ -n "$launch" ] || message="$(our_message)"' 200 ||
        fail "neither the launch screen nor a message came up after Play; windows: $(visible_windows)"
    if [ -z "$launch" ]; then
        xdotool windowactivate "$message" 2>/dev/null || true
        wait_for '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$message" ]' 50 ||
            fail "the message after Play does not take the focus"
        xdotool key Return
        wait_for 'launch="$(launch_window)"; [ -n "$launch" ]' 200 ||
            fail "no full-screen launch screen after Play; windows: $(visible_windows)"
    fi
    eval "$(xdotool getwindowgeometry --shell "$launch")"
    slide_w=$((WIDTH < HEIGHT * 16 / 9 ? WIDTH : HEIGHT * 16 / 9))
    slide_h=$((slide_w * 9 / 16))
    mark_x=$((X + (WIDTH - slide_w) / 2 + slide_w / 10))
    mark_y=$((Y + (HEIGHT - slide_h) / 2 + slide_h * 85 / 100))
    centre_x=$((X + WIDTH / 2)) centre_y=$((Y + HEIGHT / 2))
    screen_shows_holding
}

slide_colour=(none '#FF0000' '#FFFF00' '#00FF00' '#00FFFF' '#0000FF')

# Fails unless the screen shows slide $1 of a demo talk.
screen_shows_slide() {
    local seen
    seen="$(wait_for_colour "$mark_x" "$mark_y" "${slide_colour[$1]}" 100)" ||
        fail "the screen does not show slide $1 at $mark_x,$mark_y: $seen; windows: $(visible_windows)"
}

screen_shows_holding() {
    local seen
    seen="$(wait_for_colour "$centre_x" "$centre_y" '#162543' 100)" ||
        fail "the holding slide is not on the screen: $seen; windows: $(visible_windows)"
}

# The slide the show's watcher saw last.
watcher_slide() {
    grep -o 'watcher: running 1, slide [0-9]*' "$work/out.log" | tail -n 1 | grep -o '[0-9]*$'
}

# Page Down on the launch screen: talk 1's show comes up in front with its first slide.
first_talk_up() {
    launch_key Next
    wait_for show_has_focus 600 || fail "talk 1 did not come up within 60 s; windows: $(visible_windows)"
    wait_for '[ "$(watcher_slide)" = 1 ]' 100 || fail "the watcher did not see slide 1"
    screen_shows_slide 1
}

# The process id of the office that runs the shows of the program with application folder $1
# (not the one that exports), when it runs.
show_office() { pgrep -f "soffice\.bin .*$1/lo-profile" | head -n 1; }
