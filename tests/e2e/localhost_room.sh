# A room in Localhost mode with the real office and the real nginx, for the scripts that watch it
# from the audience's side: source it after common.sh and launch_screen.sh, once $work is set.
# localhost_room_up sets $http_port and $address; an ffmpeg encoder streams into the server
# from $encoder_started (the clock's seconds), a picture that shows the time it was taken, until
# the script ends; ENCODER_OPTIONS adds
# options of x264's (e.g. "-tune zerolatency").

free_port() { /usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("", 0)); print(s.getsockname()[1])'; }
served() { curl -sf --max-time 2 "http://127.0.0.1:$http_port/$1"; }

# Starts the program on the demo event on free ports, its served folder $work/www, chooses
# Localhost Mode on the LiveCast menu, exports the slides into the served folder, streams a test
# picture and sound into the server and enters play mode.
localhost_room_up() {
    address="$(hostname -I 2>/dev/null | tr ' ' '\n' | grep -E '^[0-9]+(\.[0-9]+){3}$' | grep -v '^127\.' | head -n 1 || true)"
    [ -n "$address" ] || fail "this computer has no network address besides loopback"
    http_port="$(free_port)"
    rtmp_port="$(free_port)"
    export STAGOR_LOCALHOST_HTTP_PORT="$http_port" STAGOR_LOCALHOST_RTMP_PORT="$rtmp_port"
    export STAGOR_FMS_UNIT="vesk-stagor-e2e-none.service"
    mkdir -p "$work/app" "$work/www"
    echo "$work/www" >"$work/app/FMS.ini"
    printf '%s\r\n' "$address" >"$work/app/IPAddress.INI"

    make_demo_event
    start_program "$work/app" "$work/demo/Demo.evf"
    # Asked again while waiting: the office starting beside it may take the focus once more.
    wait_for 'xdotool windowactivate "$setup" 2>/dev/null; [ "$(xdotool getwindowfocus 2>/dev/null)" = "$setup" ]' 100 ||
        fail "no focus for the menu; windows: $(visible_windows)"
    xdotool key alt+l Down Return # LiveCast, Localhost Mode
    wait_for 'served player/index.html >/dev/null' 150 ||
        fail "the server never served the player; windows: $(visible_windows)"
    served player/hls.min.js >/dev/null || fail "the player's HLS script is not served"
    wait_for '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$setup" ]' 100 ||
        fail "the start window did not close; windows: $(visible_windows)"

    # The picture shows when it was taken: eight stripes, white or black, are the bits of the
    # clock's time in quarter seconds (audience_browser.py reads them back).
    local clock="setpts=RTCTIME/1000000/TB" bit
    for bit in 0 1 2 3 4 5 6 7; do
        clock+=",drawbox=x=$((bit * 40)):y=0:w=40:h=240:color=white:t=fill:enable='mod(floor(t*4/$((1 << bit))),2)'"
    done
    encoder_started="$(date +%s.%N)"
    ffmpeg -nostdin -loglevel error -re -f lavfi -i color=c=black:s=320x240:r=25 -f lavfi -i sine \
        -vf "$clock,setpts=PTS-STARTPTS" -c:v libx264 ${ENCODER_OPTIONS:-} -g 25 -c:a aac -t 900 -f flv "rtmp://$address:$rtmp_port/live/vesklive" \
        >"$work/ffmpeg.log" 2>&1 &
    encoder=$!
    wait_for 'served hls/vesklive.m3u8 | grep -q "\.ts"' 150 ||
        fail "the server never made HLS of the stream: $(cat "$work/ffmpeg.log")"

    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/accessible_tree.py" press "Export Slides" ||
        fail "no Export Slides on the LiveCast menu"
    wait_for 'ls "$work/www/veskCast/Ada_Lovelace/"4*.jpg >/dev/null 2>&1' 600 ||
        fail "the export left no slides in the served folder"
    wait_for '! xdotool search --onlyvisible --name "^LiveCast Export$" >/dev/null 2>&1' 600 ||
        fail "the export window stayed"
    enter_play_mode
}

localhost_room_down() {
    [ -n "${encoder:-}" ] && kill "$encoder" 2>/dev/null || true
}

# Viewers' browsers, asked one line at a time: the program $1 (audience_browser.py or one that
# speaks the same way) with the arguments that follow.
start_viewers() {
    coproc VIEWERS { /usr/bin/python3 "$@" 2>"$work/viewers.log"; }
}
# Asks the browsers; sets $reply to what follows "ok", fails the script on any other answer.
ask_viewers() {
    local answer=""
    echo "$*" >&"${VIEWERS[1]}"
    read -r -t 60 answer <&"${VIEWERS[0]}" || answer="fail no answer to '$*': $(tail -n 5 "$work/viewers.log")"
    [[ "$answer" == ok* ]] || fail "viewers, $*: $answer"
    reply="${answer#ok }"
}
# Closes the browsers.
stop_viewers() { [ -n "${VIEWERS[1]:-}" ] && echo quit >&"${VIEWERS[1]}" 2>/dev/null || true; }
