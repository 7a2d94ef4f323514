#!/bin/sh
# Rebuilds the icon images from portsetup.svg: the PNGs of the desktop icon
# sizes and portsetup.ico with the six images of icon 128. Run it by hand after
# changing the SVG (it needs rsvg-convert, ImageMagick and Python 3); its
# outputs are committed, so the build needs none of these tools.
set -eu
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" portsetup.svg -o "portsetup-$size.png"
done
python3 make_ico.py portsetup.ico 48:8 32:8 16:8 48:32 32:24 16:32
