#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick: the globe icon (16 colours, 32x32 and 16x16, plus a
# Windows .ico holding both), the desktop's icon-theme globes (hicolor/: 16 to 256 pixels and an SVG),
# the 444x71 banner (GIF, one transparent colour), and the raw copies the program carries.
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

# The globe on a 128 grid: sea, its shaded side, two land masses, a polar cap, meridians and a highlight,
# all clipped to the disc, and a rim. The shapes are stated once, for the pictures and the SVG alike;
# pts scales a list of x,y points by its first argument.
pts() { local s=$1 p out=(); shift; for p in $*; do out+=("$((${p%,*} * s)),$((${p#*,} * s))"); done; echo "${out[*]}"; }
shade() { local s=$1; echo "M $(pts $s 64,4) A $(pts $s 60,60) 0 0 1 $(pts $s 124,64) A $(pts $s 60,60) 0 0 1 $(pts $s 64,124) A $(pts $s 72,72) 0 0 0 $(pts $s 64,4) Z"; }
land_west="22,34 40,20 58,22 62,34 52,44 56,58 46,70 40,92 32,96 26,80 18,62 14,48"
land_east="70,40 84,30 102,34 110,48 104,60 92,58 88,72 98,84 90,104 76,110 72,94 66,78 70,62 62,52"

# Draws the globe at s times the grid (s=1: 128 pixels); the disc drawn last as a mask does the clipping.
globe() {
  local s=$1 out=$2 n=$((128 * $1)) w=$((3 * $1))
  convert -size ${n}x${n} xc:none \
    -fill '#0000ff' -draw "circle $(pts $s 64,64 64,4)" \
    -fill '#000080' -draw "path '$(shade $s)'" \
    -fill '#00ff00' -stroke '#008000' -strokewidth $w \
    -draw "polygon $(pts $s "$land_west")" -draw "polygon $(pts $s "$land_east")" \
    -fill '#ffffff' -stroke none -draw "ellipse $(pts $s 64,12 26,7) 0,360" \
    -fill none -stroke '#008080' -strokewidth $w -draw "ellipse $(pts $s 64,64 32,58) 0,360" \
    -draw "line $(pts $s 8,64 120,64)" \
    \( -size ${n}x${n} xc:none -fill white -draw "circle $(pts $s 64,64 64,4)" \) \
    -compose DstIn -composite \
    -fill none -stroke '#000080' -strokewidth $w -compose Over -draw "circle $(pts $s 64,64 64,5)" \
    "$out"
}
globe 1 "$tmp/globe.png"

for size in 32 16; do
  convert "$tmp/globe.png" -filter Box -resize ${size}x${size} \
    -channel A -threshold 50% +channel \
    -dither None -remap "$tmp/palette.png" \
    -define png:color-type=3 "PNG8:globe${size}.png"
done
convert globe32.png globe16.png quillbay.ico

# The desktop's icon theme: smooth full-colour globes at the theme's sizes, reduced from one drawn at
# 1024 pixels, and the same shapes as SVG for any other size.
mkdir -p hicolor
globe 8 "$tmp/globe-large.png"
for size in 16 32 48 64 128 256; do
  convert "$tmp/globe-large.png" -filter Lanczos -resize ${size}x${size} -define png:exclude-chunks=date,time \
    "PNG32:hicolor/globe-${size}.png"
done
cat >hicolor/globe.svg <<SVG
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="0 0 128 128">
  <title>Quillbay</title>
  <clipPath id="disc"><circle cx="64" cy="64" r="60"/></clipPath>
  <g clip-path="url(#disc)">
    <circle cx="64" cy="64" r="60" fill="#0000ff"/>
    <path d="$(shade 1)" fill="#000080"/>
    <g fill="#00ff00" stroke="#008000" stroke-width="3" stroke-linejoin="round">
      <polygon points="$land_west"/>
      <polygon points="$land_east"/>
    </g>
    <ellipse cx="64" cy="12" rx="26" ry="7" fill="#ffffff"/>
    <g fill="none" stroke="#008080" stroke-width="3">
      <ellipse cx="64" cy="64" rx="32" ry="58"/>
      <line x1="8" y1="64" x2="120" y2="64"/>
    </g>
  </g>
  <circle cx="64" cy="64" r="59" fill="none" stroke="#000080" stroke-width="3"/>
</svg>
SVG

# The banner: an advertisement for an imaginary hosting service. The window lays its first two rows of
# fields over it, so it is pale (black captions stay legible on it) and says its piece in the strip above
# the first row; waves fill the gap between the rows. Magenta marks the one transparent colour (the
# rounded corners), where the window's own colour shows.
# Drawn once at its own size and once at twice the size for scale factor 2 displays. Coordinates are
# the 444x71 design's; x() scales them (ImageMagick's -affine does not carry smooth curves and text sizes
# along reliably, so nothing relies on it).
banner() {
  local s=$1 out=$2
  x() { local v out=(); for v in "$@"; do out+=("$((v * s))"); done; echo "${out[*]}"; }
  pt() { local a b; read -r a b <<<"$(x "$1" "$2")"; echo "$a,$b"; }
  local w=$((444 * s)) h=$((71 * s))
  local wave="M $(pt 6 49)" i
  for ((i = 6; i < 426; i += 20)); do wave+=" Q $(pt $((i + 5)) 43) $(pt $((i + 10)) 49) Q $(pt $((i + 15)) 55) $(pt $((i + 20)) 49)"; done
  rr() { echo "roundrectangle $(pt "$1" "$2") $(pt "$3" "$4") $(pt "$5" "$5")"; }
  rect() { echo "rectangle $(pt "$1" "$2") $(pt "$3" "$4")"; }
  convert -size ${w}x${h} xc:magenta \
    \( -size ${w}x${h} gradient:'#f6fbff'-'#cfe4f8' \
       \( -size ${w}x${h} xc:black +antialias -fill white \
          -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) $((10 * s)),$((10 * s))" \) \
       -alpha off -compose CopyOpacity -composite \) \
    -compose Over -composite -antialias \
    -fill none -stroke '#9cc6ee' -strokewidth "$((3 * s / 2)).$((3 * s % 2 * 5))" -draw "path '$wave'" \
    -stroke none -fill '#1c4f9c' -draw "$(rr 11 10 21 13 1)" -draw "$(rr 11 15 21 18 1)" -draw "$(rr 11 20 21 23 1)" \
    -fill '#3cc83c' -draw "$(rect 18 11 19 12)" -draw "$(rect 18 16 19 17)" -draw "$(rect 18 21 19 22)" \
    -font "$bold" -pointsize $((12 * s)) -fill '#1c4f9c' -draw "text $(pt 26 21) 'HarbourNest Hosting'" \
    -font "$regular" -pointsize $((10 * s)) -fill '#35587f' \
    -draw "text $(pt 150 21) '2 GB space  -  free domain  -  24/7 help'" \
    -fill '#ffd23c' -stroke '#1c4f9c' -strokewidth "$s" -draw "$(rr 352 10 440 23 6)" -stroke none \
    -font "$bold" -pointsize $((10 * s)) -fill '#1c2f5c' -draw "text $(pt 359 21) 'from \$2.95/mo'" \
    -fuzz 0 -transparent magenta "GIF:$out"
}
banner 1 banner.gif
banner 2 banner@2x.gif

# What the program shows: the same pixels as raw rows of premultiplied RGBA, 4 bytes a pixel, with every
# transparent pixel all zero. Showing them takes no image plugin and no decoding; a test checks that
# they still match the pictures above.
for picture in globe32.png globe16.png banner.gif banner@2x.gif; do
  convert "$picture" -background 'rgba(0,0,0,0)' -alpha background -depth 8 "RGBA:${picture%.*}.rgba"
done

identify globe32.png globe16.png quillbay.ico banner.gif banner@2x.gif hicolor/*.png
ls -l ./*.rgba
