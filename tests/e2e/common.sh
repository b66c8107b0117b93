# Shared by the end-to-end scripts: source it first thing.

# Runs the calling script again under a virtual X server when there is no display.
stagor_need_display() {
    if [ -z "${DISPLAY:-}" ]; then
        exec "$(dirname "${BASH_SOURCE[0]}")/../../scripts/with-display.sh" "$@"
    fi
}

# The program's working folders for one run, removed when the script ends.
stagor_make_work() {
    work="$(mktemp -d)"
    export STAGOR_DESKTOP_FOLDER="$work/desktop" STAGOR_LIVECAST_FOLDER="$work/veskCast"
    unset QT_QPA_PLATFORM
}

# Waits up to 30 s for a visible window whose title matches; prints its id.
stagor_wait_window() {
    local pattern="$1" window=""
    for _ in $(seq 1 150); do
        window="$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1 || true)"
        [ -n "$window" ] && break
        sleep 0.2
    done
    echo "$window"
}

# Waits up to $1 seconds for the program to end; fails when it still runs.
stagor_wait_gone() {
    for _ in $(seq 1 $(($1 * 5))); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.2
    done
    ! kill -0 "$pid" 2>/dev/null
}

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
    stagor_make_work
    trap stagor_cleanup EXIT
}

# For scripts that read the program over AT-SPI: a private session bus with its own
# accessibility bus, fresh working folders, and clean-up of all of it at the end.
stagor_begin_accessible() {
    stagor_need_display "$@"
    if [ -z "${STAGOR_IN_DBUS_SESSION:-}" ]; then
        export STAGOR_IN_DBUS_SESSION=1
        exec dbus-run-session -- "$@"
    fi
    stagor_make_work
    local launcher="" candidate
    for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
        [ -x "$candidate" ] && launcher="$candidate" && break
    done
    [ -n "$launcher" ] || { echo "FAIL: at-spi-bus-launcher not installed"; exit 1; }
    "$launcher" --launch-immediately &
    bus=$!
    trap 'stagor_cleanup; kill "$bus" 2>/dev/null || true' EXIT
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
