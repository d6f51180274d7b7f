#!/usr/bin/env bash
# Regenerates every picture of pictures/ from scratch with ImageMagick.
#   scripts/make-pictures.sh
# The pictures are committed, so building Calidor needs no image tool; run this
# only after changing a picture here. The output is the same, byte for byte, on
# every run: the noise has fixed seeds, ImageMagick runs on one thread (several
# threads would share out the random numbers differently from run to run) and
# no timestamp or other metadata is written.
set -euo pipefail
cd "$(dirname "$0")/.."

# Another "convert" may come first on PATH: use ImageMagick's by its full path.
CONVERT=/usr/bin/convert
if [ ! -x "$CONVERT" ]; then
  echo "ImageMagick is needed: sudo apt-get install imagemagick" >&2
  exit 1
fi
export MAGICK_THREAD_LIMIT=1

out=pictures
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

im() { "$CONVERT" -limit thread 1 "$@"; }
# Options for every file written to pictures/: no metadata, no dates. Drawn
# pictures are also written with +dither: they have few colours and dithering
# would only sprinkle odd pixels over their flat areas.
clean=(-strip +set date:create +set date:modify +set comment)

# Colours of the program's colour code.
BEIGE="rgb(232,216,176)"   # window background
TEAL="rgb(0,128,128)"      # laboratory, exchanger
DARK_TEAL="rgb(0,90,90)"
CREAM="rgb(250,245,230)"
PARCHMENT="rgb(222,202,156)"  # mid tone of the About dialog background
RED="rgb(210,30,30)"       # hot fluid
BLUE="rgb(30,60,210)"      # cold fluid

# noise <file> <width>x<height> <seed> <virtual-pixel> <blur|motion> <radius> [angle]
# Grey noise smoothed to the given scale, stretched to the full 0..1 range.
# With the "tile" virtual pixel the blur wraps round the edges, so the result
# tiles without seams.
noise() {
  local file=$1 size=$2 seed=$3 vp=$4 kind=$5 radius=$6 angle=${7:-0}
  local smooth=(-blur "0x$radius")
  if [ "$kind" = motion ]; then smooth=(-motion-blur "0x$radius+$angle"); fi
  im -size "$size" xc:gray50 -seed "$seed" +noise Random -colorspace Gray \
     -virtual-pixel "$vp" "${smooth[@]}" -auto-level "$tmp/$file"
}

# fibred <name> <weights> <dark> <light> <output options...>
# Mixes <name>-clouds, <name>-grain and <name>-fibres (made by noise; the
# fibres' contrast is raised here) in the -poly weights given, and spreads the
# result from the dark colour to the light one: a paper with fibres in it.
fibred() {
  local name=$1 weights=$2 dark=$3 light=$4
  shift 4
  im "$tmp/$name-fibres.png" -sigmoidal-contrast 4x50% "$tmp/$name-fibres.png"
  im "$tmp/$name-clouds.png" "$tmp/$name-grain.png" "$tmp/$name-fibres.png" \
     -poly "$weights" -auto-level -colorspace sRGB \
     +level-colors "$dark","$light" \
     "${clean[@]}" "$@"
}

# --- chart-paper.gif, 104 x 52: pale paper tiled behind the charts ----------
# Broad clouds, fine grain and horizontal fibres, all wrapping round the edges.
# Kept within a narrow, light range so that 2-pixel curves and black labels read.
noise paper-clouds.png 104x52 101 tile blur 7
noise paper-grain.png 104x52 202 tile blur 0.7
noise paper-fibres.png 104x52 303 tile motion 9 12
fibred paper "0.30,1 0.35,1 0.35,1" "rgb(236,226,201)" "rgb(250,246,235)" "$out/chart-paper.gif"

# --- parchment.gif, 104 x 52: About dialog background (stretched 273 x 128) -
# Mottled parchment, darker and stained towards the edges, light in the middle
# where the olive texts stand.
noise parch-clouds.png 104x52 404 mirror blur 5
noise parch-blots.png 104x52 505 mirror blur 2
noise parch-grain.png 104x52 606 mirror blur 0.6
im -size 104x52 xc:black -fill white -draw "rectangle 7,5 96,46" \
   -virtual-pixel black -blur 0x7 -auto-level -evaluate pow 0.5 "$tmp/parch-edges.png"
im "$tmp/parch-clouds.png" "$tmp/parch-blots.png" "$tmp/parch-grain.png" \
   -poly "0.5,1 0.3,1 0.2,1" -auto-level \
   \( "$tmp/parch-edges.png" "$tmp/parch-clouds.png" -poly "0.8,1 0.2,1" -auto-level -level 0%,85% \) \
   -compose multiply -composite -level 5%,100% -colorspace sRGB \
   +level-colors "rgb(198,172,120)","rgb(249,241,218)" \
   "${clean[@]}" "$out/parchment.gif"

# --- button-face.bmp, 282 x 196, 24 bits: face of the About dialog's buttons -
# A lighter, quieter parchment than the dialog's, so the buttons stand out and
# their caption reads; only the top-left corner shows through a button.
noise face-clouds.png 282x196 707 mirror blur 9
noise face-grain.png 282x196 808 mirror blur 2.5
noise face-fibres.png 282x196 909 mirror motion 10 8
fibred face "0.5,1 0.25,1 0.25,1" "rgb(224,207,164)" "rgb(247,239,216)" \
   -type TrueColor "BMP3:$out/button-face.bmp"

# --- mail.gif, 49 x 42, transparent colour: e-mail link ---------------------
# An envelope with its flap, a stamp and a postmark. Drawn on the window beige,
# which then becomes the transparent colour: the few edge pixels that blend
# with it stay beige-tinted and sit well on the parchment.
im -size 49x42 xc:"$BEIGE" \
   -fill "rgb(120,92,58)" -stroke none -draw "rectangle 4,9 47,40" \
   -fill "rgb(252,249,238)" -stroke "rgb(90,62,34)" -strokewidth 1 -draw "rectangle 1.5,6.5 44.5,37.5" \
   -fill "rgb(236,229,208)" -stroke "rgb(130,100,62)" -draw "polygon 2,37 18,24 28,24 44,37" \
   -fill "rgb(245,239,222)" -stroke "rgb(90,62,34)" -draw "polygon 2,7 23,25 44,7" \
   -fill "rgb(255,255,250)" -stroke "rgb(120,100,70)" -strokewidth 0.7 -draw "rectangle 33.5,10.5 42.5,21.5" \
   -fill "rgb(196,40,36)" -stroke none -draw "rectangle 35,12 41,20" \
   -fill "rgb(250,220,120)" -draw "circle 38,15 38,13.4" \
   -fill none -stroke "rgb(70,70,90)" -strokewidth 0.9 -draw "circle 31,15 31,20" \
   -draw "path 'M 14,13 Q 17,11 20,13 T 26,13'" -draw "path 'M 14,17 Q 17,15 20,17 T 26,17'" \
   -transparent "$BEIGE" +dither "${clean[@]}" "$out/mail.gif"

# --- globe.gif, 32 x 32, transparent colour: web link -----------------------
# A shaded blue sphere with three green land masses, a light graticule and a
# highlight, outlined in dark blue; outside the disc is transparent. A GIF has
# no partial transparency: edge pixels at least half covered keep their colour
# blended with a mid parchment tone, the others become transparent.
im -size 32x32 xc:none \
   \( -size 32x32 radial-gradient:"rgb(130,200,245)"-"rgb(16,60,150)" -distort SRT "1.0 0 -5,-5" \) \
   -compose over -composite \
   -fill "rgb(86,160,64)" -stroke "rgb(46,110,40)" -strokewidth 0.5 \
   -draw "path 'M 4,9 C 7,5 12,4 15,6 C 16,8 14,9 13,11 C 12,13 14,14 12,16 C 10,17 9,15 7,15 C 5,14 4,12 4,9 Z'" \
   -draw "path 'M 11,17 C 14,17 16,19 15,22 C 14,25 13,28 12,29 C 11,27 10,24 10,21 C 9,19 10,17 11,17 Z'" \
   -draw "path 'M 19,7 C 22,5 26,6 27,8 C 26,10 24,10 23,11 C 25,12 27,13 27,16 C 27,20 24,22 23,25 C 21,24 21,21 20,19 C 19,17 18,15 19,13 C 18,11 18,9 19,7 Z'" \
   \( -size 32x32 xc:black -fill white -draw "circle 15.5,15.5 15.5,1.2" \) \
   -alpha off -compose CopyOpacity -composite -compose over \
   -fill none -stroke "rgba(255,255,255,0.28)" -strokewidth 0.6 \
   -draw "ellipse 15.5,15.5 7,14.3 0,360" -draw "line 15.5,1.5 15.5,29.5" -draw "line 1.5,15.5 29.5,15.5" \
   -draw "line 3.5,8.5 27.5,8.5" -draw "line 3.5,22.5 27.5,22.5" \
   -stroke "rgb(16,40,95)" -strokewidth 1 -draw "circle 15.5,15.5 15.5,1.2" \
   -fill "rgba(255,255,255,0.5)" -stroke none -draw "translate 10,8 rotate -35 ellipse 0,0 3.5,1.8 0,360" \
   \( +clone -alpha extract -threshold 50% \) \( -clone 0 -background "$PARCHMENT" -alpha remove \) \
   -delete 0 +swap -alpha off -compose CopyOpacity -composite \
   +dither "${clean[@]}" "$out/globe.gif"

# --- logo.gif, 105 x 97: Laboratoire Kestrel --------------------------------
# A teal roundel on the window beige: a hovering kestrel above a hatched wall,
# with the hot fluid (red) and the cold fluid (blue) flowing either side of it.
kestrel="M 52,10 C 55,10 57.5,12.5 57,16 C 56.8,18 56,19.5 56.5,21 C 60,21 66,18 74,14 \
C 80,11 86,9 92,7 C 88,13 83,20 77,25 C 71,30 64,32 58.5,33 C 58,36 57.5,39 57,42 L 62,58 \
C 58,61.5 46,61.5 42,58 L 47,42 C 46.5,39 46,36 45.5,33 C 40,32 33,30 27,25 \
C 21,20 16,13 12,7 C 18,9 24,11 30,14 C 38,18 44,21 47.5,21 C 48,19.5 47.2,18 47,16 \
C 46.5,12.5 49,10 52,10 Z"
hatch=()
for x in 20 26 32 38 44 50 56 62 68 74 80; do
  hatch+=(-draw "line $x,67 $((x + 3)),64")
done
im -size 105x97 xc:"$BEIGE" \
   -fill "$CREAM" -stroke "$TEAL" -strokewidth 3 -draw "circle 52,48 52,4.5" \
   -fill none -stroke "$TEAL" -strokewidth 0.8 -draw "circle 52,48 52,9" \
   -fill "$TEAL" -stroke none -draw "translate 52,34 scale 0.62,0.62 translate -52,-33 path '$kestrel'" \
   -fill "$RED" -draw "rectangle 24,55 71,58" -draw "polygon 70,50.5 81,56.5 70,62.5" \
   -fill "$DARK_TEAL" -draw "rectangle 17,64 87,67" \
   -stroke "$CREAM" -strokewidth 0.8 "${hatch[@]}" -stroke none \
   -fill "$BLUE" -draw "rectangle 34,73 81,76" -draw "polygon 35,68.5 24,74.5 35,80.5" \
   +dither "${clean[@]}" "$out/logo.gif"

echo "Pictures written to $out/"
