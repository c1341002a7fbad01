#!/usr/bin/env bash
# Draws the two 32 x 32 window icons with ImageMagick. The PNG files are kept
# in the repository; run this again only to change them.
set -euo pipefail
cd "$(dirname "$0")"

# The main window: a bronze survey disk with its centre triangle.
convert -size 32x32 xc:none \
  -fill '#8a5a1c' -stroke '#4a2e0a' -strokewidth 2 -draw 'circle 16,16 16,2' \
  -fill '#c98f3c' -stroke none -draw 'circle 16,16 16,6' \
  -fill '#4a2e0a' -draw 'polygon 16,9 22,20 10,20' \
  -fill '#f3d9a4' -draw 'circle 16,16.5 16,14.5' \
  -strip -depth 8 frmQuilletMain.png

# The chooser: a page with a folded corner and a track with two waypoints.
convert -size 32x32 xc:none \
  -fill white -stroke '#30507a' -strokewidth 1.5 -draw 'polygon 6,2 20,2 27,9 27,30 6,30' \
  -fill '#c8d6ea' -draw 'polygon 20,2 20,9 27,9' \
  -fill none -stroke '#2f8a3a' -strokewidth 2 -draw 'polyline 10,25 14,18 19,21 23,13' \
  -fill '#c0282d' -stroke none -draw 'circle 10,25 10,23' -draw 'circle 23,13 23,11' \
  -strip -depth 8 frmGetGPX.png
