#!/usr/bin/env bash
# How long a viewer waits for the room's slide: the real office, the real nginx and headless
# Chromium on loopback, Localhost mode, the demo event's first talk. Twenty slide moves (Page
# Down, and Page Up to come back) each from the key press until the browser's screenshot shows the
# new slide, against the room's own share: until the served "status.inf" names it; and how far
# the slide and the video beside it are apart, the video's picture showing when it was taken.
#
#   bench/player_latency.sh build/bin/vesk-stagor build/share/vesk-stagor-web [moves]
set -euo pipefail
program="$(realpath "$1")"
web="$(realpath "$2")"
moves="${3:-20}"
e2e="$(cd "$(dirname "$0")/../tests/e2e" && pwd)"
source "$e2e/common.sh"
# Under a window manager, as the end-to-end tests and the operator's desktop.
export STAGOR_WM="${STAGOR_WM:-openbox}"
stagor_begin_accessible "$0" "$@"
source "$e2e/launch_screen.sh"
source "$e2e/localhost_room.sh"
trap 'stop_viewers; localhost_room_down; stagor_cleanup; kill "$bus" 2>/dev/null || true' EXIT

"$e2e/../../scripts/fetch-web-deps.sh" "$web" >"$work/fetch.log" 2>&1 ||
    fail "the web player's parts could not be fetched: $(tail -n 5 "$work/fetch.log")"
localhost_room_up
start_viewers "$(dirname "$0")/player_viewer.py" "http://127.0.0.1:$http_port/" "$work/www/status.inf"
ask_viewers open viewer
first_talk_up
ask_viewers shows viewer slide 1
ask_viewers video viewer
slide=1 step=1 shown=() page=() published=() aligned=() behind=() estimated=()
# The next move up and down the demo's first talk, four slides long: sets $slide and $key.
next_move() {
    [ $((slide + step)) -ge 1 ] && [ $((slide + step)) -le 4 ] || step=$((-step))
    slide=$((slide + step))
    key=Next
    [ "$step" -gt 0 ] || key=Prior
}
for _ in $(seq 1 "$moves"); do
    next_move
    ask_viewers timed viewer "$key" "$slide"
    read -r total swapped room taken estimate <<<"$reply"
    shown+=("$total") page+=("$swapped") published+=("$room") aligned+=("${taken#-}")
    behind+=("$((total - taken))") estimated+=("$estimate")
done
ask_viewers behind viewer
buffered="$reply"
# The same moves for a viewer without video (paused): nothing to wait for but the page's polling.
ask_viewers pause viewer
alone=()
for _ in $(seq 1 "$moves"); do
    next_move
    ask_viewers move viewer "$key" "$slide"
    alone+=("$reply")
done

# median and worst of the numbers given
figures() {
    printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {
        m = NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2
        printf "median %d ms, worst %d ms", m, a[NR]}'
}
echo "slide move to the viewer's screen, seen in a screenshot ($moves moves): $(figures "${shown[@]}")"
echo "  key to the page putting the picture up:      $(figures "${page[@]}")"
echo "  key to the served status.inf naming it:      $(figures "${published[@]}")"
echo "  baseline: the page asks for status.inf every 500 ms"
echo "the same without video (paused), the page's polling alone: $(figures "${alone[@]}") (goal: under 1000 ms)"
echo "slide against video, |key - moment the video beside the new slide was taken|: $(figures "${aligned[@]}")"
echo "the video behind the room, read from its picture when each slide showed: $(figures "${behind[@]}")"
echo "  the page's own estimate, which each change waits:                       $(figures "${estimated[@]}")"
printf '  of which %.2f s behind the newest fragment it knows (hls.js)\n' "$buffered"
