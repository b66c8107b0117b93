#!/usr/bin/env bash
# Localhost mode from the LiveCast menu with the real nginx: the program starts its own
# streaming server on this computer's network address, writes the connection record into the
# served folder, takes an encoder's stream from ffmpeg, serves the slides Export Slides made and
# the room's status during play mode, and stops the server when it ends.
set -euo pipefail
program="$1"
source "$(dirname "$0")/common.sh"
stagor_begin_accessible "$0" "$@"
source "$(dirname "$0")/launch_screen.sh"

source "$(dirname "$0")/localhost_room.sh"
localhost_room_start

wait_for 'served connect.inf >"$work/connect.inf"' 150 ||
    fail "the server never served connect.inf; windows: $(visible_windows)"
printf '&info1=rtmp://%s/live/& sFMSURL; \r\n&info2=vesklive& sStreamName\r\n' "$address" |
    cmp -s - "$work/connect.inf" || fail "connect.inf reads: $(cat "$work/connect.inf")"
wait_for '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$setup" ]' 100 ||
    fail "the start window did not close; windows: $(visible_windows)"

ffmpeg -nostdin -loglevel error -re -f lavfi -i testsrc=size=320x240:rate=15 -t 20 \
    -f flv "rtmp://$address:$rtmp_port/live/vesklive" >"$work/ffmpeg.log" 2>&1 &
encoder=$!
wait_for 'served stat | grep -q "<name>vesklive</name>"' 150 ||
    fail "the stream never arrived: $(served stat) $(cat "$work/ffmpeg.log")"
kill "$encoder" 2>/dev/null || true
wait "$encoder" 2>/dev/null || true

# The player reads the room's status from the served folder, where the talks' slides are under
# "veskCast/".
player_reads() {
    served status.inf >"$work/status.inf" && [ "$(tr -d '\r' <"$work/status.inf" | wc -l)" = 10 ] &&
        tr -d '\r' <"$work/status.inf" | sed -n 2p | grep -qxF "&info1=$1& Presenter" &&
        tr -d '\r' <"$work/status.inf" | sed -n 3p | grep -qE "^&info2=$2& Current Slide$"
}
# Export Slides copies the webcast's pictures into the served folder.
/usr/bin/python3 "$(dirname "$0")/accessible_tree.py" press "Export Slides" ||
    fail "no Export Slides on the LiveCast menu"
wait_for 'ls "$work/www/veskCast/Ada_Lovelace/"1*.swf >/dev/null 2>&1' 600 ||
    fail "the export left no slides in the served folder"
wait_for '! xdotool search --onlyvisible --name "^LiveCast Export$" >/dev/null 2>&1' 600 ||
    fail "the export window stayed"
enter_play_mode
wait_for 'player_reads veskCast "h[0-9]*"' 100 ||
    fail "the served status.inf does not show the holding slide: $(cat "$work/status.inf")"
first_talk_up
wait_for 'player_reads veskCast/Ada_Lovelace "1[0-9]{6}"' 100 ||
    fail "the served status.inf does not show talk 1: $(cat "$work/status.inf")"
# The slide the status names is there for the player, picture and Flash file.
slide="$(tr -d '\r' <"$work/status.inf" | sed -n 's/^&info2=\(1[0-9]*\)& Current Slide$/\1/p')"
for extension in jpg swf; do
    served "veskCast/Ada_Lovelace/$slide.$extension" >"$work/served.$extension" ||
        fail "the server does not serve veskCast/Ada_Lovelace/$slide.$extension"
done
[ "$(identify -format '%wx%h' "$work/served.jpg" 2>/dev/null)" = 1024x768 ] ||
    fail "the served slide is not a 1024x768 picture"
[ "$(head -c 3 "$work/served.swf")" = FWS ] || fail "the served Flash file is not one"
xdotool key Escape
wait_for 'player_reads veskCast "h[0-9]*"' 100 || fail "the end of the talk was not published"
launch_key F1
wait_for '[ -z "$(launch_window)" ]' 100 || fail "F1 did not leave play mode"

kill -TERM "$pid"
stagor_wait_gone 20 || fail "still running 20 s after SIGTERM"
pid=""
wait_for '! served connect.inf >/dev/null' 50 || fail "the streaming server outlived the program"
! pgrep -f "nginx.*$work" >/dev/null || fail "nginx left running: $(pgrep -af "nginx.*$work")"
echo "PASS: Localhost mode started nginx on $address, served connect.inf, took ffmpeg's stream, served the exported slides and the room's status in play mode; nginx ended with the program"
