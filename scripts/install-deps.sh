#!/usr/bin/env bash
# Installs the Debian 12 packages vesk stagor needs to build, run and test. Safe to run again:
# the package lists are only refreshed when something is missing.
set -euo pipefail

PACKAGES=(
    # build
    build-essential cmake ninja-build ccache pkg-config clang libclang-rt-14-dev clang-format
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev libgl-dev zlib1g-dev libmount-dev libxcb1-dev libxcb-randr0-dev
    libcurl4-openssl-dev
    libgtest-dev libgmock-dev googletest
    # the presentation program (its GTK 3 front end: the plain X11 one cannot show under a
    # window manager)
    libreoffice-impress libreoffice-dev libreoffice-gtk3 poppler-utils
    # slide pictures rendered from the office's PDF of a deck, on every core
    libpoppler-qt6-dev
    # the sound test: Qt Multimedia plays through GStreamer (WAV and MP3 parsers and the
    # PulseAudio sink are in plugins-good); lame encodes the default MP3 at build time; the
    # tests play into a PulseAudio null sink
    qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good lame
    pulseaudio pulseaudio-utils
    # running and testing under a real X server
    xvfb xauth xdotool x11-utils fonts-dejavu-core imagemagick
    # the displays operators have: a window manager (xfwm4 keeps its settings in a daemon it
    # reaches over a D-Bus session of its own), and a laptop beside a projector as two monitors
    # that xrandr makes out of one screen of Xorg's dummy driver
    openbox xfwm4 wmctrl dbus-daemon xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
    # what assistive technology sees, for the accessibility test
    dbus at-spi2-core python3-pyatspi
    # a presentation locked with a password, made through the office from Python for a test
    python3-uno
    # the FTP server the transfer tests start for themselves
    python3-pyftpdlib
    # slides' Flash files: read back by a parser of their own, played by the Ruffle player (npm,
    # fetched by scripts/fetch-web-deps.sh) in headless Chromium driven through WebDriver, its
    # screenshots read with Pillow
    python3-yaswfp python3-pil chromium chromium-driver python3-selenium openssl
    # Localhost mode's streaming server (nginx with its RTMP module, run by the program when no
    # systemd unit provides it); the tests push a stream into it with ffmpeg
    nginx libnginx-mod-rtmp ffmpeg
)
# npm from Debian unless one is installed already (a Node.js of its own brings its npm along, and
# Debian's would fight it)
command -v npm >/dev/null || PACKAGES+=(npm)

missing=()
for pkg in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$pkg")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
