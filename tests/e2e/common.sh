# Shared by the end-to-end scripts: source it first thing.

# Runs the calling script again under an X server of its own when there is no display, or when
# a window manager or two screens are asked for (STAGOR_WM, STAGOR_SCREENS: see
# scripts/with-display.sh) and the display is not one that script set up so.
stagor_need_display() {
    if [ -n "${DISPLAY:-}" ]; then
        [ -z "${STAGOR_WM:-}${STAGOR_SCREENS:-}" ] && return 0
        [ "${STAGOR_OWN_DISPLAY:-}" = "$DISPLAY" ] && return 0
    fi
    exec "$(dirname "${BASH_SOURCE[0]}")/../../scripts/with-display.sh" "$@"
}

# Ends the script as failed, with the end of the program's output.
fail() {
    echo "FAIL: $*"
    grep -v "slide 1$" "$work/out.log" 2>/dev/null | tail -n 40 || true
    exit 1
}

# Waits up to $2 tenths of a second (30 s unless given) for the command $1 to succeed.
wait_for() {
    local condition="$1" tenths="${2:-300}"
    for _ in $(seq 1 "$tenths"); do
        eval "$condition" && return 0
        sleep 0.1
    done
    return 1
}

# Waits up to 30 s for a visible window whose title matches; prints its id.
stagor_wait_window() {
    local pattern="$1" window=""
    wait_for 'window="$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1 || true)"; [ -n "$window" ]' || true
    echo "$window"
}

# The monitors of the display, one a line as WxH+X+Y.
monitors() { xrandr --listmonitors | awk 'NR > 1 {g = $3; gsub(/\/[0-9]+/, "", g); print g}'; }

# True when window $1 covers one monitor exactly, as a full-screen window does.
fills_a_monitor() {
    local WINDOW="" X="" Y="" WIDTH="" HEIGHT="" SCREEN=""
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)"
    [ -n "$WIDTH" ] && monitors | grep -qx "${WIDTH}x${HEIGHT}+${X}+${Y}"
}

# The colour the screen shows at X,Y = $1,$2, as #RRGGBB.
screen_colour() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        grep -o '#[0-9A-Fa-f]\{6\}' | head -n 1
}

# True when the colours $1 and $2 (#RRGGBB) differ by at most 24 in each channel: a picture
# scaled and compressed on its way to the screen is off by a few units.
colour_near() {
    local a="${1#\#}" b="${2#\#}" i difference
    [[ "$a$b" =~ ^[0-9A-Fa-f]{12}$ ]] || return 1
    for i in 0 2 4; do
        difference=$((16#${a:i:2} - 16#${b:i:2}))
        [ "$difference" -le 24 ] && [ "$difference" -ge -24 ] || return 1
    done
}

# Waits up to $4 tenths of a second (10 s unless given) for the screen to show a colour near $3
# at X,Y = $1,$2. When it does not, prints the colour shown there last and fails.
wait_for_colour() {
    local at_x="$1" at_y="$2" wanted="$3" shown=""
    wait_for 'shown="$(screen_colour "$at_x" "$at_y")"; colour_near "$shown" "$wanted"' \
        "${4:-100}" && return 0
    echo "${shown:-nothing}"
    return 1
}

# The visible top-level windows the window manager (every script runs under one) has on
# screen, one a line: window id, process id (0 when the window names none) and title.
visible_windows() {
    local id desktop owner host title
    wmctrl -lp 2>/dev/null | while read -r id desktop owner host title; do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id $owner $title"
    done
    return 0
}

# Fails, naming them, when windows are visible other than the program's own (process $pid) and
# the office's slide show ("Presenting: …"): a dialog of LibreOffice's, say, in front of the
# audience. $1, an extended regular expression, allows more titles.
no_stray_windows() {
    local allowed="${1:-}" id owner title stray=""
    while read -r id owner title; do
        [ -n "$id" ] || continue
        [ "$owner" = "${pid:-}" ] && continue
        [[ "$title" == "Presenting: "* ]] && continue
        [ -n "$allowed" ] && [[ "$title" =~ $allowed ]] && continue
        stray+="${stray:+; }$title ($id, process $owner)"
    done < <(visible_windows)
    [ -z "$stray" ] && return 0
    echo "stray windows: $stray"
    return 1
}

# Waits up to $1 seconds for the program to end; fails when it still runs.
stagor_wait_gone() { wait_for '! kill -0 "$pid" 2>/dev/null' $(($1 * 10)); }

# Ends the program (it ends its LibreOffice on the way out) and the fixture servers, and removes
# the working folders.
stagor_cleanup() {
    local server
    for server in "${work:-/nonexistent}"/*.pid; do
        [ -f "$server" ] && kill "$(cat "$server")" 2>/dev/null || true
    done
    if [ -n "${pid:-}" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        stagor_wait_gone 20 || kill -9 "$pid" 2>/dev/null || true
    fi
    [ -n "${work:-}" ] && pkill -9 -f "$work/app/lo-profile" 2>/dev/null || true
    [ -n "${work:-}" ] && rm -rf "$work"
}

# Starts a fixture server of tests/fixtures in the background (Debian's Python, which has the
# FTP server's module); echoes its port once it listens. Its output is in $work/NAME.out.
start_fixture() {
    local name="$1" out="$work/$1.out"
    shift
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/../fixtures/$name.py" "$@" >"$out" 2>&1 &
    echo $! >"$work/$name.pid"
    wait_for 'grep -q "^ready " "$out"' 100 || fail "$name did not start: $(cat "$out")"
    sed -n 's/^ready //p' "$out" | head -n 1
}

# The usual start of a script: a display, fresh working folders, clean-up at the end.
stagor_begin() {
    stagor_need_display "$@"
    work="$(mktemp -d)"
    export STAGOR_DESKTOP_FOLDER="$work/desktop" STAGOR_LIVECAST_FOLDER="$work/veskCast"
    unset QT_QPA_PLATFORM
    trap stagor_cleanup EXIT
}

# For scripts that read the program over AT-SPI: the same on a private session bus with its own
# accessibility bus, which is ended at the end too.
stagor_begin_accessible() {
    stagor_need_display "$@"
    if [ -z "${STAGOR_IN_DBUS_SESSION:-}" ]; then
        export STAGOR_IN_DBUS_SESSION=1
        exec dbus-run-session -- "$@"
    fi
    stagor_begin "$@"
    local launcher=/usr/libexec/at-spi-bus-launcher
    [ -x "$launcher" ] || launcher=/usr/lib/at-spi2-core/at-spi-bus-launcher
    "$launcher" --launch-immediately &
    bus=$!
    trap 'stagor_cleanup; kill "$bus" 2>/dev/null || true' EXIT
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
