#!/usr/bin/env bash
# Makes the small movies the show tests play: 32 x 24 pixels, 10 frames a
# second, half a second of green followed by half a second of blue. The
# results are kept in the repository; run this again only to change them
# (needs ffmpeg, which scripts/install-deps.sh installs).
#
#   green_blue.avi   MJPEG, no sound
#   green_blue.mp4   H.264 with one second of silent AAC sound
#   green_blue.webm  VP9 with one second of silent Opus sound
set -euo pipefail
cd "$(dirname "$0")/.."

dir=tests/show/data
pictures=(
  -f lavfi -i "color=c=0x00FF00:s=32x24:r=10:d=0.5"
  -f lavfi -i "color=c=0x0000FF:s=32x24:r=10:d=0.5"
)
silence=(-f lavfi -i "anullsrc=r=8000:cl=mono")
same=(-fflags +bitexact -flags:v +bitexact -flags:a +bitexact)

report() {
  echo "wrote $1 ($(stat -c %s "$1") bytes)"
}

out=$dir/green_blue.avi
ffmpeg -hide_banner -loglevel error -y "${pictures[@]}" \
  -filter_complex "[0:v][1:v]concat=n=2:v=1:a=0,format=yuvj420p[v]" -map "[v]" \
  -c:v mjpeg -q:v 3 -an -fflags +bitexact -flags:v +bitexact "$out"
report "$out"

out=$dir/green_blue.mp4
ffmpeg -hide_banner -loglevel error -y "${pictures[@]}" "${silence[@]}" \
  -filter_complex "[0:v][1:v]concat=n=2:v=1:a=0,format=yuv420p[v]" \
  -map "[v]" -map 2:a -t 1 \
  -c:v libx264 -preset veryslow -crf 30 -profile:v baseline -x264-params threads=1 \
  -c:a aac -b:a 8k -movflags +faststart "${same[@]}" "$out"
report "$out"

out=$dir/green_blue.webm
ffmpeg -hide_banner -loglevel error -y "${pictures[@]}" "${silence[@]}" \
  -filter_complex "[0:v][1:v]concat=n=2:v=1:a=0,format=yuv420p[v]" \
  -map "[v]" -map 2:a -t 1 \
  -c:v libvpx-vp9 -crf 40 -b:v 0 -threads 1 -c:a libopus -b:a 6k "${same[@]}" "$out"
report "$out"
