#!/usr/bin/env bash
# Runs a command with a sound server to play into: a PulseAudio server of our own whose only
# output is a null sink, so tests can play sound for real on a machine without sound hardware,
# as root or not. An already running server of ours is reused; a new one ends by itself once it
# has had no client for a minute.
set -euo pipefail

dir="${TMPDIR:-/tmp}/vesk-stagor-sound-$(id -u)"
socket="$dir/native"
export PULSE_SERVER="unix:$socket"

ready() {
    timeout 5 pactl info >/dev/null 2>&1
}

if ! ready; then
    mkdir -p "$dir"
    chmod 700 "$dir"
    # -n: none of the system's default modules (no hardware, no D-Bus, no session).
    PULSE_RUNTIME_PATH="$dir" HOME="$dir" pulseaudio -n --daemonize=yes --use-pid-file=no \
        --system=no --exit-idle-time=60 --log-target="file:$dir/server.log" \
        --load="module-native-protocol-unix socket=$socket auth-anonymous=1" \
        --load="module-null-sink sink_name=stagor_null" || true
    # Another caller may be starting it at the same moment: what counts is that one answers.
    for _ in $(seq 50); do
        if ready; then
            break
        fi
        sleep 0.2
    done
    if ! ready; then
        echo "with-sound-server: PulseAudio did not come up at $socket" >&2
        cat "$dir/server.log" >&2 2>/dev/null || true
        exit 1
    fi
fi
exec "$@"
