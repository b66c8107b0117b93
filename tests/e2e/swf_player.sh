#!/usr/bin/env bash
# A slide's Flash file as our writer makes it, played by the Ruffle player in headless Chromium:
# a picture of four coloured quadrants must show them in the right places over the whole player,
# both at the frame's own 1024x768 and at another shape (640x360), stretched to the frame.
#
#   swf_player.sh SWF_WRITE WEB_DEPS_FOLDER
set -euo pipefail
writer="$1" deps="$2"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/common.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$here/../../scripts/fetch-web-deps.sh" "$deps" >"$work/out.log" 2>&1 || fail "no Ruffle player"
mkdir "$work/site"
cp "$here/swf_player.html" "$work/site/"
ln -s "$(cd "$deps/ruffle" && pwd)" "$work/site/ruffle"

movies=()
for size in 1024x768 640x360; do
    half="$((${size%x*} / 2))x$((${size#*x} / 2))"
    convert \( -size "$half" xc:'#ff0000' xc:'#00ff00' +append \) \
        \( -size "$half" xc:'#0000ff' xc:'#ffff00' +append \) -append -quality 90 "$work/$size.jpg" ||
        fail "convert could not make the picture"
    [ "$(identify -format %wx%h "$work/$size.jpg")" = "$size" ] || fail "picture is not $size"
    "$writer" "$work/$size.jpg" "$work/site/$size.swf" >>"$work/out.log" 2>&1 ||
        fail "no Flash file written for the $size picture"
    movies+=("$size.swf")
done

/usr/bin/python3 "$here/swf_player.py" "$work/site" "${movies[@]}" >"$work/out.log" 2>&1 ||
    fail "the player did not show the slides"
cat "$work/out.log"
echo "PASS: Ruffle shows every slide's picture over its whole frame"
