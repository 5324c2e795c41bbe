#!/usr/bin/env bash
# Draws the tool bar's own 16x16 icons, used where the desktop's icon theme
# has none. Needs ImageMagick. Run from anywhere; writes tool/*.png.
set -euo pipefail
cd "$(dirname "$0")/tool"
draw() {  # NAME DRAW-COMMANDS...
  local name=$1; shift
  convert -size 16x16 xc:none -fill '#303030' -stroke none "$@" -strip "PNG32:$name.png"
}
draw add-folder -fill '#c08a2a' -draw 'polygon 1,4 6,4 7,5 14,5 14,13 1,13' \
  -fill '#303030' -draw 'rectangle 10,8 11,15' -draw 'rectangle 7,11 14,12'
draw options -draw 'circle 8,8 8,3' -fill none -stroke '#303030' -strokewidth 2 -draw 'circle 8,8 8,1' \
  -fill white -stroke none -draw 'circle 8,8 8,6'
draw previous -draw 'rectangle 2,3 4,12' -draw 'polygon 13,3 13,12 5,7.5'
draw stop -draw 'rectangle 3,3 12,12'
draw pause -draw 'rectangle 3,3 6,12' -draw 'rectangle 9,3 12,12'
draw play -draw 'polygon 4,2 4,13 13,7.5'
draw next -draw 'polygon 2,3 2,12 10,7.5' -draw 'rectangle 11,3 13,12'
draw repeat -fill none -stroke '#303030' -strokewidth 2 -draw 'roundrectangle 2,4 13,11 3,3' \
  -fill '#303030' -stroke none -draw 'polygon 9,1 13,4 9,7'
draw shuffle -fill none -stroke '#303030' -strokewidth 2 -draw 'line 1,4 5,4' -draw 'line 5,4 10,11' \
  -draw 'line 1,11 5,11' -draw 'line 5,11 10,4' -fill '#303030' -stroke none \
  -draw 'polygon 10,1 14,4 10,7' -draw 'polygon 10,8 14,11 10,14'
draw wakeup -fill none -stroke '#303030' -strokewidth 1.5 -draw 'circle 8,9 8,3' \
  -draw 'line 8,9 8,5' -draw 'line 8,9 11,9' -draw 'line 2,3 4,1' -draw 'line 14,3 12,1'
draw sleep -draw 'circle 8,8 8,2' -fill none -draw 'circle 11,6 11,1' \
  -channel A -fx 'hypot(i-11,j-6)<5 ? 0 : a'
