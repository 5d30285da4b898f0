#!/usr/bin/env bash
# Installs the Debian packages Plakora needs to build, run and test.
# Idempotent: when every package is present it only checks and returns.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6opengl6-dev
  qt6-qpa-plugins libgl-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
  # MPEG program streams (.mpg) are taken apart by a plugin of the "bad" set.
  gstreamer1.0-plugins-bad
  # The image format plugins: WebP and TIFF pictures.
  qt6-image-formats-plugins
  # Qt Multimedia's GStreamer backend (libqt6multimedia6), sound through
  # PulseAudio, and ffmpeg for the test movie script and the benchmark.
  libqt6multimedia6 gstreamer1.0-pulseaudio ffmpeg
  fonts-liberation fontconfig
  xvfb x11-utils imagemagick xauth
  # xrandr splits a virtual display into two screens for the test of shows
  # on a second screen; man checks the manual page.
  x11-xserver-utils man-db
  # pdftotext, pdfinfo and pdffonts: the printing tests read back the PDF
  # files they print.
  poppler-utils
  # desktop-file-validate: a test checks the program's desktop entry.
  desktop-file-utils
  # The idle wake-up benchmark answers the program's first question with it.
  xdotool
  # A headless Wayland compositor, a keyboard for it and Qt's Wayland
  # platform: a test runs the control panel on native Wayland.
  sway wtype qt6-wayland
  # systemd-analyze: a test checks the example systemd user unit.
  systemd
  # python3's http.server serves the feeds of the crawl feed's test.
  python3
  # The Debian package: file and dpkg-shlibdeps (dpkg-dev) find the
  # libraries the program needs, lintian checks the package.
  dpkg-dev file lintian
  # The fuzzers: clang and its libFuzzer runtime.
  clang libclang-rt-14-dev
  # The HTTP remote: Qt's HTTP server (with the WebSockets it is built on)
  # and libqrencode for the QR code of its address; the test of its page
  # clicks through it in a headless chromium.
  qt6-httpserver-dev qt6-websockets-dev libqrencode-dev chromium
  # perf record / perf report: where a benchmark's processor time goes.
  linux-perf
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq </dev/null
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
