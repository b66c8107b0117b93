#!/usr/bin/env bash
# The web windows over the launch screen, with the real program, the web service on 127.0.0.1
# and a Flash movie of our own writer: key "I" opens the session page the service names, key "U"
# the event's own page (none here: our page saying so), Quick Launch "Q" plays the movie in the
# Ruffle player, its picture of another shape stretched over the whole frame; Escape or F1 closes
# each, and the launch screen is back in front taking keys.
set -euo pipefail
program="$1"
swf_write="$2"
source "$(dirname "$0")/common.sh"
stagor_begin "$0" "$@"
source "$(dirname "$0")/launch_screen.sh"
mkdir -p "$work/app"
web_port="$(start_fixture web_service --page /session=#1E90FF \
    --route "/evf/internetconnect.php=testCode :OK;productID :ABCDEFGHIJKL;sessionURL :http://127.0.0.1:{port}/session;")"
printf 'WebService=http://127.0.0.1:%s/\nProductID=ABCDEFGHIJKL\n' "$web_port" >"$work/app/WebService.ini"

# A movie of four coloured quarters as the Quick Launch file, from a 16:9 picture that the writer
# stretches over its 4:3 frame.
convert -size 320x180 xc:'#FF0000' -size 320x180 xc:'#00FF00' +append \
    \( -size 320x180 xc:'#0000FF' -size 320x180 xc:'#FFFF00' +append \) -append \
    -quality 95 "$work/quarters.jpg"
"$swf_write" "$work/quarters.jpg" "$work/quarters.swf" || fail "no movie written"
make_demo_event
/usr/bin/python3 "$(dirname "$0")/event_file.py" "$work/demo/Demo.evf" quick-launch "$work/quarters.swf" ||
    fail "the event takes no Quick Launch file"
start_program "$work/app" "$work/demo/Demo.evf"
enter_play_mode

# The web window, full screen over the launch screen, until $1 closes it.
web_window_closes_on() {
    wait_for '[ "$(xdotool getwindowfocus 2>/dev/null)" != "$launch" ]' 100 ||
        fail "no window came up over the launch screen"
    xdotool key "$1"
    wait_for '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$launch" ]' 100 ||
        fail "$1 did not bring the launch screen back; focus: $(xdotool getwindowfocus getwindowname 2>/dev/null)"
}

launch_key i
wait_for 'grep -q "^GET /evf/internetconnect.php?sessionName=" "$work/web_service.out"' 100 ||
    fail "the session service was never asked: $(cat "$work/web_service.out")"
seen="$(wait_for_colour "$centre_x" "$centre_y" '#1E90FF' 300)" ||
    fail "the session page is not on the screen: $seen"
grep -q "^GET /session?productID=ABCDEFGHIJKL&w=[0-9]*&h=[0-9]*" "$work/web_service.out" ||
    fail "the session page was asked for without the product and screen: $(cat "$work/web_service.out")"
web_window_closes_on Escape
screen_shows_holding

launch_key u
seen="$(wait_for_colour "$centre_x" "$centre_y" '#FFFFFF' 300)" || fail "no page of our own: $seen"
web_window_closes_on F1
screen_shows_holding

launch_key q
# The movie is letterboxed in the middle of the launch screen's monitor.
eval "$(xdotool getwindowgeometry --shell "$launch")"
movie_w=$((WIDTH * 3 < HEIGHT * 4 ? WIDTH : HEIGHT * 4 / 3))
movie_h=$((movie_w * 3 / 4))
# In each quarter a point near the movie's corner, its middle and one near the movie's centre (in
# hundredths of the movie from its centre): a picture not stretched exactly over the frame shows
# a wrong colour at one of them, as the player repeats the picture's edge beyond it.
for quarter in "-1 -1 #FF0000" "1 -1 #00FF00" "-1 1 #0000FF" "1 1 #FFFF00"; do
    read -r dx dy colour <<<"$quarter"
    for from_centre in 46 25 5; do
        seen="$(wait_for_colour $((centre_x + dx * movie_w * from_centre / 100)) \
            $((centre_y + dy * movie_h * from_centre / 100)) "$colour" 300)" ||
            fail "the Flash movie's quarter $dx,$dy does not show $colour $from_centre % out: $seen"
    done
done
web_window_closes_on Escape
screen_shows_holding
launch_key F1
wait_for '[ -z "$(launch_window)" ]' 100 || fail "F1 did not leave play mode"
echo "PASS: keys I and U opened the session page and our own page, Q played the Flash movie stretched over its frame; each closed by key, the launch screen back in front"
