# Shared by the end-to-end scripts: source it first thing.

# Runs the calling script again under a virtual X server when there is no display.
stagor_need_display() {
    [ -n "${DISPLAY:-}" ] || exec "$(dirname "${BASH_SOURCE[0]}")/../../scripts/with-display.sh" "$@"
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

# Waits up to $1 seconds for the program to end; fails when it still runs.
stagor_wait_gone() { wait_for '! kill -0 "$pid" 2>/dev/null' $(($1 * 10)); }

# Ends the program (it ends its LibreOffice on the way out) and removes the working folders.
stagor_cleanup() {
    if [ -n "${pid:-}" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        stagor_wait_gone 20 || kill -9 "$pid" 2>/dev/null || true
    fi
    [ -n "${work:-}" ] && pkill -9 -f "$work/app/lo-profile" 2>/dev/null || true
    [ -n "${work:-}" ] && rm -rf "$work"
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
