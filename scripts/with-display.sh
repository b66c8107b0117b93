#!/usr/bin/env bash
# Runs a command on an X server of its own and ends the server afterwards, waiting until it is
# gone, so that a server still shutting down never takes the next one's socket with it. The
# server picks a free display number by itself (-displayfd), so parallel runs never collide.
#
#   STAGOR_SCREEN=WxHxD     the one screen of the default server, Xvfb (1280x800x24 unless set)
#   STAGOR_SCREENS=2        an operator's laptop with a projector instead: two monitors side by
#                           side, LAPTOP 1280x800 at 0,0 (primary) and PROJECTOR 1920x1080 at
#                           1280,0, on Xorg's dummy driver (Xvfb cannot place two heads side by
#                           side for Qt); needs root
#   STAGOR_WM=openbox|xfwm4 a window manager that has taken over the display before the command
#                           starts and is ended after it; none (the default) runs without one,
#                           which hides the stacking and focus faults every desktop shows
#
# Exits with the command's status, or 1 when the display could not be set up.
set -uo pipefail

tmp="$(mktemp -d)"
server="" wm="" child=""

# True while a process of group $1 runs; the dead ones that wait to be reaped do not count.
group_alive() { ps -eo pgid=,stat= | awk -v group="$1" '$1 == group && $2 !~ /^Z/ {found = 1} END {exit !found}'; }

# Sends TERM to a process (a whole process group when $2 is "group"), waits up to 5 s for it to
# go and kills it for good if it has not.
end_process() {
    local id="$1" target="$1" alive='kill -0 "$id" 2>/dev/null'
    if [ "${2:-}" = group ]; then
        target="-$id"
        alive='group_alive "$id"'
    fi
    kill -TERM -- "$target" 2>/dev/null || return 0
    for _ in $(seq 1 100); do
        eval "$alive" || break
        sleep 0.05
    done
    eval "$alive" && kill -KILL -- "$target" 2>/dev/null
    wait "$id" 2>/dev/null
    return 0
}

finish() {
    [ -n "$child" ] && end_process "$child"
    [ -n "$wm" ] && end_process "$wm" group
    [ -n "$server" ] && end_process "$server"
    rm -rf "$tmp"
}
trap finish EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

give_up() {
    echo "with-display: $1" >&2
    [ -n "${2:-}" ] && [ -s "$2" ] && tail -n 20 "$2" >&2
    exit 1
}

# -noreset: a server resets whenever its last client leaves, and one connecting meanwhile (the
# window manager right after the check that the server answers) is turned away.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 "${STAGOR_SCREEN:-1280x800x24}" -nolisten tcp -noreset \
        3>"$tmp/display" >"$tmp/server.log" 2>&1 &
    server=$!
}

# Xorg with the dummy video driver: one framebuffer wide enough for both monitors, which RandR
# then splits in two once the server is up. Nothing is read from or written to the system's X
# configuration and log folders.
start_xorg() {
    [ "$(id -u)" = 0 ] || give_up "two screens need Xorg, which runs only as root here"
    mkdir -p "$tmp/xorg.conf.d"
    cat >"$tmp/xorg.conf" <<'EOF'
Section "ServerFlags"
    Option "AutoAddDevices" "false"
EndSection
Section "Device"
    Identifier "card"
    Driver "dummy"
    VideoRam 256000
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0 - 1000.0
    VertRefresh 5.0 - 200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "card"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 3200 1080
    EndSubSection
EndSection
EOF
    Xorg -noreset -nolisten tcp -displayfd 3 -config "$tmp/xorg.conf" \
        -configdir "$tmp/xorg.conf.d" -logfile "$tmp/server.log" \
        3>"$tmp/display" >"$tmp/server.out" 2>&1 &
    server=$!
}

split_into_monitors() {
    xrandr --fb 3200x1080 >/dev/null &&
        xrandr --setmonitor LAPTOP 1280/338x800/211+0+0 DUMMY0 >/dev/null &&
        xrandr --setmonitor PROJECTOR 1920/508x1080/286+1280+0 none >/dev/null ||
        give_up "xrandr could not set up the two monitors"
    local monitors
    monitors="$(xrandr --listmonitors)"
    grep -q ' LAPTOP 1280/338x800/211+0+0 ' <<<"$monitors" &&
        grep -q ' PROJECTOR 1920/508x1080/286+1280+0' <<<"$monitors" ||
        give_up "the server does not list the two monitors: $monitors"
}

# Starts the window manager in a process group of its own (xfwm4 brings a D-Bus session, the
# settings daemon it needs and helpers that outlive their parent: ending the group ends them all)
# and waits until it names itself as the display's manager. Its settings come from the system's
# defaults, never from the user's own.
start_wm() {
    local name="$1"
    local command=()
    case "$name" in
        openbox) command=(openbox) ;;
        xfwm4) command=(dbus-run-session -- xfwm4 --compositor=off) ;;
        *) give_up "unknown window manager '$name' (openbox, xfwm4 or none)" ;;
    esac
    mkdir -p "$tmp/wm-config" "$tmp/wm-cache"
    XDG_CONFIG_HOME="$tmp/wm-config" XDG_CACHE_HOME="$tmp/wm-cache" NO_AT_BRIDGE=1 \
        setsid "${command[@]}" </dev/null >"$tmp/wm.log" 2>&1 &
    wm=$!
    for _ in $(seq 1 100); do
        wmctrl -m 2>/dev/null | grep -qi "^Name: $name$" && return 0
        kill -0 "$wm" 2>/dev/null || break
        sleep 0.1
    done
    give_up "$name did not take over the display within 10 s" "$tmp/wm.log"
}

case "${STAGOR_SCREENS:-1}" in
    1) start_xvfb ;;
    2) start_xorg ;;
    *) give_up "STAGOR_SCREENS must be 1 or 2, not '${STAGOR_SCREENS}'" ;;
esac
display=""
for _ in $(seq 1 150); do
    display="$(head -n 1 "$tmp/display" 2>/dev/null || true)"
    [ -n "$display" ] && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
done
[ -n "$display" ] || give_up "no X server came up" "$tmp/server.log"
# STAGOR_OWN_DISPLAY tells the end-to-end scripts that this display is already the one asked for.
export DISPLAY=":$display" STAGOR_OWN_DISPLAY=":$display"
for _ in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.05
done
xdpyinfo >/dev/null 2>&1 || give_up "the X server on $DISPLAY does not answer" "$tmp/server.log"
[ "${STAGOR_SCREENS:-1}" = 2 ] && split_into_monitors
[ "${STAGOR_WM:-none}" = none ] || start_wm "$STAGOR_WM"

# In the background, so that a signal ends the command and still takes the display down; the
# command keeps this script's standard input.
"$@" <&0 &
child=$!
wait "$child"
status=$?
child=""
exit "$status"
