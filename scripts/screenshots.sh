#!/usr/bin/env bash
# Screenshots of each section of the setup window holding the demo event (three talks, a holding
# slide, two pop-ups), on screens of 1280x800 and 1920x1080, with the window filling the screen:
#   bash scripts/screenshots.sh [output folder]      (default build/screenshots)
# Needs a built program (scripts/build.sh); BUILD_DIR names another build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bin="${BUILD_DIR:-build}/bin"
out="$(realpath -m "${1:-build/screenshots}")"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'pkill -9 -f "$work/" 2>/dev/null || true; rm -rf "$work"' EXIT

QT_QPA_PLATFORM=offscreen "$bin/vesk-stagor-demo" "$work/demo" >/dev/null

shoot() {
    local size="$1"
    export STAGOR_APP_FOLDER="$work/app-$size" STAGOR_DESKTOP_FOLDER="$work/desktop"
    export STAGOR_LIVECAST_FOLDER="$work/veskCast"
    unset QT_QPA_PLATFORM
    "$bin/vesk-stagor" "$work/demo/Demo.evf" &
    local pid=$! window=""
    for _ in $(seq 1 150); do
        # The setup window is the tall one; the splash and the closing window are short.
        local candidate
        for candidate in $(xdotool search --onlyvisible --name "^vesk stagor" 2>/dev/null); do
            if [ "$(xdotool getwindowgeometry "$candidate" | awk '/Geometry/ {print $2}' |
                cut -dx -f2)" -gt 300 ]; then
                window="$candidate"
            fi
        done
        [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || { echo "no window at $size" >&2; kill "$pid"; return 1; }
    local width="${size%x*}" height="${size#*x}"
    xdotool windowsize "$window" "$width" "$height"
    xdotool windowmove "$window" 0 0
    sleep 2
    # The section tabs sit left to right below the toolbar; a click on each shows it.
    local tabs_y x=40 section
    tabs_y="$(xdotool getwindowgeometry "$window" >/dev/null && echo 89)"
    for section in main speakers popups; do
        xdotool mousemove "$x" "$tabs_y" click 1
        sleep 1
        import -window root "$out/$section-$size.png"
        x=$((x + 62))
    done
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

for size in 1280x800 1920x1080; do
    if [ -z "${STAGOR_SCREENSHOT_INNER:-}" ]; then
        STAGOR_SCREENSHOT_INNER=1 xvfb-run -a -s "-screen 0 ${size}x24" \
            bash -c "$(declare -f shoot); bin='$bin' out='$out' work='$work' shoot $size"
    fi
done
ls "$out"
