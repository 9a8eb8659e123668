#!/bin/sh
# Draws velmora.png, the program's 32 x 32 icon, in the 16 colours of the
# classic VGA palette: a navy page with a white letter В over two yellow
# lines whose right ends match, as two rhyming lines do.
# Needs ImageMagick 6 (convert) and fonts-dejavu-core.
set -eu
cd "$(dirname "$0")"
palette=$(mktemp --suffix=.png)
trap 'rm -f "$palette"' EXIT
convert -size 1x1 \
  xc:'#000000' xc:'#800000' xc:'#008000' xc:'#808000' \
  xc:'#000080' xc:'#800080' xc:'#008080' xc:'#c0c0c0' \
  xc:'#808080' xc:'#ff0000' xc:'#00ff00' xc:'#ffff00' \
  xc:'#0000ff' xc:'#ff00ff' xc:'#00ffff' xc:'#ffffff' +append "$palette"
convert -size 32x32 xc:none \
  -fill '#000080' -stroke '#000000' -draw 'roundrectangle 1,1 30,30 5,5' \
  -stroke none -fill '#ffffff' \
  -font DejaVu-Sans-Bold -pointsize 19 -gravity north -annotate +0+1 'В' \
  -gravity none \
  -fill '#ffff00' -draw 'rectangle 6,22 25,23' -draw 'rectangle 12,26 25,27' \
  -fill '#ff0000' -draw 'rectangle 21,22 25,23' -draw 'rectangle 21,26 25,27' \
  +dither -remap "$palette" -strip PNG8:velmora.png
