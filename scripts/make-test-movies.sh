#!/usr/bin/env bash
# Makes the small movie the show tests play: 32 x 24 pixels, MJPEG in AVI,
# 10 frames a second, half a second of green followed by half a second of
# blue, no sound. The result is kept in the repository; run this again only
# to change it (needs ffmpeg, which scripts/install-deps.sh installs).
set -euo pipefail
cd "$(dirname "$0")/.."

out=tests/show/data/green_blue.avi
ffmpeg -hide_banner -loglevel error -y \
  -f lavfi -i "color=c=0x00FF00:s=32x24:r=10:d=0.5" \
  -f lavfi -i "color=c=0x0000FF:s=32x24:r=10:d=0.5" \
  -filter_complex "[0:v][1:v]concat=n=2:v=1:a=0,format=yuvj420p[v]" -map "[v]" \
  -c:v mjpeg -q:v 3 -an -fflags +bitexact -flags:v +bitexact "$out"
echo "wrote $out ($(stat -c %s "$out") bytes)"
