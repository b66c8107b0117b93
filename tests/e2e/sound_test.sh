#!/usr/bin/env bash
# The sound test in the whole program, pressed over AT-SPI as assistive technology would:
# "play" runs it with a sound server of ours (a null sink) and follows the status label through
# the played tone; "nodevice" runs it with no sound server at all and expects the no-device
# message.
set -euo pipefail
program="$1"
mode="$2"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/common.sh"
stagor_begin_accessible "$0" "$@"
if [ "$mode" = play ]; then
    "$here/../../scripts/with-sound-server.sh" "$program" --app-folder "$work/app" \
        >"$work/out.log" 2>&1 &
else
    PULSE_SERVER="unix:$work/no-sound-server" "$program" --app-folder "$work/app" \
        >"$work/out.log" 2>&1 &
fi
pid=$!
/usr/bin/python3 "$here/sound_test.py" "$mode" || { cat "$work/out.log"; exit 1; }
# The tones were seeded into the application folder on the first start.
for name in "10Hz Tone.wav" "100Hz Tone.wav" "1kHz Tone.wav" "7350Hz Tone.wav" \
    "Pink Noise.wav" "Sound.mp3"; do
    [ -s "$work/app/$name" ] || { echo "FAIL: $name not in the application folder"; exit 1; }
done
echo "PASS: sound test ($mode)"
