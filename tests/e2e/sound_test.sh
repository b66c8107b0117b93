#!/usr/bin/env bash
# The sound test pressed over AT-SPI: "play" runs it with a sound server of ours (a null sink)
# and follows the status label through the tone; "nodevice" runs it with no sound server at all.
set -euo pipefail
program="$1"
mode="$2"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/common.sh"
stagor_begin_accessible "$0" "$@"
if [ "$mode" = play ]; then
    "$here/../../scripts/with-sound-server.sh" "$program" --app-folder "$work/app" >"$work/out.log" 2>&1 &
else
    PULSE_SERVER="unix:$work/no-sound-server" "$program" --app-folder "$work/app" >"$work/out.log" 2>&1 &
fi
pid=$!
/usr/bin/python3 "$here/accessible_tree.py" sound "$mode" || fail "sound test ($mode)"
# The sounds were seeded into the application folder on the first start.
for name in "10Hz Tone.wav" "Pink Noise.wav" "Sound.mp3"; do
    [ -s "$work/app/$name" ] || fail "$name not in the application folder"
done
echo "PASS: sound test ($mode)"
