#!/usr/bin/env bash
# The audience's player, as viewers see it in a browser, following a room in Localhost mode with
# the real office, the real nginx and an encoder's stream: the slide of the talk on screen, each
# move, the holding slide after the talk, a pop-up, a viewer who joins in the middle of a talk,
# and the room's video playing on, each move showing in step with it. The player is reached by
# keyboard and says what it shows. The server also serves the connection record and each slide's
# Flash file, and ends with the program.
set -euo pipefail
program="$1"
web="$2" # where the build puts the player, which the program copies into the served folder
source "$(dirname "$0")/common.sh"
stagor_begin_accessible "$0" "$@"
source "$(dirname "$0")/launch_screen.sh"
source "$(dirname "$0")/localhost_room.sh"
trap 'stop_viewers; localhost_room_down; stagor_cleanup; kill "$bus" 2>/dev/null || true' EXIT

# The HLS player the page loads comes from npm, beside the page.
"$(dirname "$0")/../../scripts/fetch-web-deps.sh" "$web" >"$work/fetch.log" 2>&1 ||
    fail "the web player's parts could not be fetched: $(tail -n 5 "$work/fetch.log")"
localhost_room_up
served connect.inf >"$work/connect.inf" || fail "the server does not serve connect.inf"
printf '&info1=rtmp://%s/live/& sFMSURL; \r\n&info2=vesklive& sStreamName\r\n' "$address" |
    cmp -s - "$work/connect.inf" || fail "connect.inf reads: $(cat "$work/connect.inf")"
start_viewers "$(dirname "$0")/audience_browser.py" "http://127.0.0.1:$http_port/"
ask_viewers open first
ask_viewers shows first holding
ask_viewers keyboard first
first_talk_up
ask_viewers shows first slide 1
# The slide the room's status names is served as picture and Flash file.
slide="$(served status.inf | tr -d '\r' | sed -n 's/^&info2=\(1[0-9]*\)& Current Slide$/\1/p')"
served "veskCast/Ada_Lovelace/$slide.jpg" >"$work/served.jpg" &&
    [ "$(identify -format '%wx%h' "$work/served.jpg")" = 1024x768 ] ||
    fail "slide '$slide' is not served as a 1024x768 picture"
[ "$(served "veskCast/Ada_Lovelace/$slide.swf" | head -c 3)" = FWS ] ||
    fail "slide '$slide' is not served as a Flash file"
ask_viewers move first Next 2
ask_viewers open second
ask_viewers shows second slide 2
joined="$reply"
[ "$joined" -lt 2000 ] || fail "the viewer who joined mid-talk waited ${joined} ms for the slide"
ask_viewers video first
ask_viewers video second
# With the video playing, a move shows when the video reaches it: the picture beside the new
# slide was taken within a second of the key, though the video runs seconds behind the room.
aligned=""
for move in "Next 3" "Prior 2"; do
    ask_viewers aligned first $move
    read -r shown taken estimate <<<"$reply"
    [ "${taken#-}" -lt 1000 ] ||
        fail "after $move the slide showed ${shown} ms after the key beside video of ${taken} ms after it (the page reckoned the video ${estimate} ms behind)"
    # The video ran more than 2 s behind: only holding the slide back lines them up.
    [ $((shown - taken)) -le 2000 ] || [ "$shown" -gt 2000 ] ||
        fail "after $move the video ran $((shown - taken)) ms behind, yet the slide showed after ${shown} ms"
    aligned+=" $move: slide after $shown ms, video of $taken ms (page's estimate of the delay: $estimate ms);"
done
ask_viewers shows second slide 2
xdotool key Escape
ask_viewers shows first holding
ask_viewers shows second holding
launch_key 2
ask_viewers shows first popup 2
launch_key BackSpace
ask_viewers shows first holding
stop_viewers
launch_key F1
wait_for '[ -z "$(launch_window)" ]' 100 || fail "F1 did not leave play mode"
kill -TERM "$pid"
stagor_wait_gone 20 || fail "still running 20 s after SIGTERM"
pid=""
wait_for '! served connect.inf >/dev/null' 50 || fail "the streaming server outlived the program"
! pgrep -f "nginx.*$work" >/dev/null || fail "nginx left running: $(pgrep -af "nginx.*$work")"
echo "PASS: connect.inf, pictures and Flash files served; two viewers' browsers followed the room: holding slide, slides 1, 2, 3 and back to 2, the holding slide after the talk, pop-up 2 and Backspace; the late viewer saw slide 2 in $joined ms; the video played on in both;$aligned nginx ended with the program"
