#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick: the globe icon (16 colours, 32x32 and 16x16, plus a
# Windows .ico holding both) and the 444x71 banner (GIF, one transparent colour).
# The outputs are committed; run this again only to change them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

bold=/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
regular=/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf

# The classic 16-colour palette; the icon is mapped onto it without dithering.
convert -size 1x1 \
  xc:'#000000' xc:'#800000' xc:'#008000' xc:'#808000' xc:'#000080' xc:'#800080' xc:'#008080' xc:'#c0c0c0' \
  xc:'#808080' xc:'#ff0000' xc:'#00ff00' xc:'#ffff00' xc:'#0000ff' xc:'#ff00ff' xc:'#00ffff' xc:'#ffffff' \
  +append "$tmp/palette.png"

# The globe, drawn large on a 128 grid and reduced: sea, two land masses, a polar cap, meridians and
# a highlight, all clipped to the disc by drawing the disc last as a mask.
convert -size 128x128 xc:none \
  -fill '#0000ff' -draw 'circle 64,64 64,4' \
  -fill '#000080' -draw 'path "M 64,4 A 60,60 0 0 1 124,64 A 60,60 0 0 1 64,124 A 72,72 0 0 0 64,4 Z"' \
  -fill '#00ff00' -stroke '#008000' -strokewidth 3 \
  -draw 'polygon 22,34 40,20 58,22 62,34 52,44 56,58 46,70 40,92 32,96 26,80 18,62 14,48' \
  -draw 'polygon 70,40 84,30 102,34 110,48 104,60 92,58 88,72 98,84 90,104 76,110 72,94 66,78 70,62 62,52' \
  -fill '#ffffff' -stroke none -draw 'ellipse 64,12 26,7 0,360' \
  -fill none -stroke '#008080' -strokewidth 3 -draw 'ellipse 64,64 32,58 0,360' -draw 'line 8,64 120,64' \
  \( -size 128x128 xc:none -fill white -draw 'circle 64,64 64,4' \) \
  -compose DstIn -composite \
  -fill none -stroke '#000080' -strokewidth 3 -compose Over -draw 'circle 64,64 64,5' \
  "$tmp/globe.png"

for size in 32 16; do
  convert "$tmp/globe.png" -filter Box -resize ${size}x${size} \
    -channel A -threshold 50% +channel \
    -dither None -remap "$tmp/palette.png" \
    -define png:color-type=3 "PNG8:globe${size}.png"
done
convert globe32.png globe16.png quillbay.ico

# The banner: an advertisement for an imaginary hosting service. The window lays its first two rows of
# fields over it, so it is pale (black captions stay legible on it) and says its piece in the strip above
# the first row; waves fill the gap between the rows. Magenta marks the one transparent colour (the
# rounded corners), where the window's own colour shows.
convert -size 444x71 xc:magenta \
  \( -size 444x71 gradient:'#f6fbff'-'#cfe4f8' \
     \( -size 444x71 xc:black +antialias -fill white -draw 'roundrectangle 0,0 443,70 10,10' \) \
     -alpha off -compose CopyOpacity -composite \) \
  -compose Over -composite \
  -fill none -stroke '#9cc6ee' -strokewidth 2 \
  -draw 'path "M 6,49 Q 16,44 26,49 T 46,49 T 66,49 T 86,49 T 106,49 T 126,49 T 146,49 T 166,49 T 186,49 T 206,49 T 226,49 T 246,49 T 266,49 T 286,49 T 306,49 T 326,49 T 346,49 T 366,49 T 386,49 T 406,49 T 426,49 T 438,47"' \
  -stroke none -fill '#1c4f9c' \
  -draw 'roundrectangle 11,10 21,13 1,1' -draw 'roundrectangle 11,15 21,18 1,1' -draw 'roundrectangle 11,20 21,23 1,1' \
  -fill '#3cc83c' -draw 'rectangle 18,11 19,12' -draw 'rectangle 18,16 19,17' -draw 'rectangle 18,21 19,22' \
  -font "$bold" -pointsize 12 -fill '#1c4f9c' -annotate +26+21 'HarbourNest Hosting' \
  -font "$regular" -pointsize 10 -fill '#35587f' -annotate +150+21 '2 GB space  -  free domain  -  24/7 help' \
  -fill '#ffd23c' -stroke '#1c4f9c' -strokewidth 1 -draw 'roundrectangle 352,10 440,23 6,6' -stroke none \
  -font "$bold" -pointsize 10 -fill '#1c2f5c' -annotate +359+21 'from \$2.95/mo' \
  -fuzz 0 -transparent magenta "GIF:banner.gif"

identify globe32.png globe16.png quillbay.ico banner.gif
