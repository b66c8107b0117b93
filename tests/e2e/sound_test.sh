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
stagor_need_display "$0" "$@"
if [ -z "${STAGOR_IN_DBUS_SESSION:-}" ]; then
    export STAGOR_IN_DBUS_SESSION=1
    exec dbus-run-session -- "$0" "$@"
fi

stagor_make_work
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher="$candidate" && break
done
[ -n "$launcher" ] || { echo "FAIL: at-spi-bus-launcher not installed"; exit 1; }
"$launcher" --launch-immediately &
bus=$!
trap 'stagor_cleanup; kill "$bus" 2>/dev/null || true' EXIT

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
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
