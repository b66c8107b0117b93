#!/usr/bin/env bash
# Runs a command on a virtual X server of its own (1280x800, 24 bits; STAGOR_SCREEN changes it)
# and ends the server afterwards, waiting until it is gone, so that a server still shutting
# down never takes the next one's socket with it. Xvfb picks a free display by itself.
set -uo pipefail
numbers="$(mktemp)"
Xvfb -displayfd 3 -screen 0 "${STAGOR_SCREEN:-1280x800x24}" -nolisten tcp \
    3>"$numbers" >/dev/null 2>&1 &
server=$!
display=""
for _ in $(seq 1 150); do
    display="$(head -n 1 "$numbers" 2>/dev/null || true)"
    [ -n "$display" ] && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
done
rm -f "$numbers"
if [ -z "$display" ]; then
    echo "with-display: no virtual X server came up" >&2
    kill "$server" 2>/dev/null
    exit 1
fi
DISPLAY=":$display" "$@"
status=$?
kill "$server" 2>/dev/null
for _ in $(seq 1 100); do
    kill -0 "$server" 2>/dev/null || break
    sleep 0.05
done
exit "$status"
