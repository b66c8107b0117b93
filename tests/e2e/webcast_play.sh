#!/usr/bin/env bash
# Webcast mode with the real LibreOffice, a real FTP server and the web service on 127.0.0.1:
# the operator switches Webcast mode on from the LiveCast menu, plays the demo event's first talk
# through two slide moves, ends it, shows pop-up 2 and goes back to the holding slide; after each
# step the server's "status.inf" says what the room shows, in its ten lines.
set -euo pipefail
program="$1"
source "$(dirname "$0")/common.sh"
stagor_begin "$0" "$@"
source "$(dirname "$0")/launch_screen.sh"
mkdir -p "$work/ftp/webcasts/ABCDEFVKTJKL" "$work/app"
ftp_port="$(start_fixture ftp_server --root "$work/ftp" --user room --password pw)"
web_port="$(start_fixture web_service --answer \
    "testCode :OK;url :127.0.0.1:$ftp_port;serverName :Room Server;userName :room;password :pw;uploadExtension :webcasts/;")"
printf 'WebService=http://127.0.0.1:%s/\nProductID=ABCDEFGHIJKL\n' "$web_port" >"$work/app/WebService.ini"
status="$work/ftp/webcasts/ABCDEFVKTJKL/status.inf"
# The server's status names presenter $1 and slide value $2, in ten lines.
server_says() {
    [ -f "$status" ] && [ "$(tr -d '\r' <"$status" | wc -l)" = 10 ] &&
        tr -d '\r' <"$status" | sed -n 2p | grep -qxF "&info1=$1& Presenter" &&
        tr -d '\r' <"$status" | sed -n 3p | grep -qxF "&info2=$2& Current Slide"
}
expect_server() {
    wait_for "server_says '$1' '$2'" 100 ||
        fail "the server's status.inf does not name '$1' and '$2' after $3: $(cat "$status" 2>/dev/null)"
}

make_demo_event
start_program "$work/app" "$work/demo/Demo.evf"
xdotool windowactivate "$setup" 2>/dev/null || true
wait_for '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$setup" ]' 100 || fail "no focus for the menu"
xdotool key alt+l Return # LiveCast, Webcast Mode
wait_for 'grep -q "^GET /evf/webcast.php?productID=ABCDEFGHIJKL" "$work/web_service.out"' 100 ||
    fail "the web service was never asked: $(cat "$work/web_service.out")"
# The webcast window says where it connected and closes by itself.
wait_for '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$setup" ]' 100 ||
    fail "the webcast window did not close; windows: $(visible_windows)"

enter_play_mode
expect_server "" "h" "play mode began"
first_talk_up
expect_server "Ada_Lovelace" "1" "talk 1 came up"
for move in 2 3; do
    sleep 1
    xdotool key Next
    wait_for '[ "$(watcher_slide)" = '$move' ]' 50 || fail "the show did not move to slide $move"
    expect_server "Ada_Lovelace" "$move" "the move to slide $move"
done
xdotool key Escape
expect_server "" "h" "the talk ended"
launch_key 2
expect_server "" "p2" "pop-up 2"
launch_key BackSpace
expect_server "" "h" "Backspace"
tr -d '\r' <"$status" | sed -n '4,10p' | diff - <(printf '%s\n' "&info3=& Rolling" "&info4=& View" \
    "&info5=& Scale Bar" "&info6=stageLeft& Presenter Position" "&info7=False& Stretch Slides" \
    "&info8=4:3& Ratio" "&info9=False& Hide Player Controls") >/dev/null ||
    fail "the player's lines are not as the menu's marks say: $(cat "$status")"
[ ! -f "$work/app/error.log" ] || fail "transfer errors: $(cat "$work/app/error.log")"
launch_key F1
wait_for '[ -z "$(launch_window)" ]' 100 || fail "F1 did not leave play mode"
echo "PASS: Webcast mode from the menu; holding slide, slides 1 to 3, the end of the talk, pop-up 2 and Backspace each reached the server's status.inf"
