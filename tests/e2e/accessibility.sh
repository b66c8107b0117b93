#!/usr/bin/env bash
# The setup window as assistive technology sees it, over AT-SPI on a private session bus.
set -euo pipefail
program="$1"
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
"$program" --app-folder "$work/app" >"$work/out.log" 2>&1 &
pid=$!
/usr/bin/python3 "$here/accessible_tree.py" || { cat "$work/out.log"; exit 1; }
