#!/usr/bin/env bash
# Nimbrel artwork generator (Quaddle).
#
# Regenerates every icon, cursor and bitmap used by the Nimbrel resource
# script from vector-style drawing commands, using ImageMagick 6 (`convert`).
#
#   res/art/make-art.sh            -> writes ../icons/*.ico, ../cursors/*.cur,
#                                     ../bitmaps/*.bmp
#   res/art/make-art.sh --preview  -> additionally renders res/art/preview.png
#
# Developer aids (environment): ART_ONLY="help led cursor ..." builds only
# those items; ART_DEBUG_DIR=dir saves the full-size working pictures there;
# ART_KEEP_TMP=1 keeps the scratch directory.
#
# How the icons are made: every picture is drawn on a 384x384 canvas using a
# 48x48 "design unit" grid (8 pixels per unit).  Shapes are drawn as
# greyscale coverage masks, filled with linear/radial gradients and stacked.
# Each icon size (16, 32, 48) is drawn separately, with outline widths and
# detail tuned to the size (one output pixel = 48/size design units), then
# box-filtered down, which gives exact area-coverage anti-aliasing, and stored
# as a 256-color image with a one-bit mask.
set -euo pipefail

HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
RES="$(cd "$HERE/.." && pwd)"
ICONS="$RES/icons"
BITMAPS="$RES/bitmaps"
CURSORS="$RES/cursors"
PREVIEW=0
[[ "${1:-}" == "--preview" ]] && PREVIEW=1

command -v convert >/dev/null || { echo "ImageMagick 'convert' is required" >&2; exit 1; }
mkdir -p "$ICONS" "$BITMAPS" "$CURSORS"

T="$(mktemp -d)"
if [[ -n "${ART_KEEP_TMP:-}" ]]; then echo "work dir: $T" >&2; else trap 'rm -rf "$T"' EXIT; fi

# Keep output byte-for-byte reproducible: no timestamps / text chunks.
# (Intermediate pictures are kept as uncompressed MIFF files for speed.)
export MAGICK_THREAD_LIMIT=1
STRIP=(-strip -define png:exclude-chunks=date,time)

S=384        # working canvas in pixels
U=8          # pixels per design unit (48 units across)

# ---------------------------------------------------------------- helpers --

# u2p N... : design units -> canvas pixels, comma separated
u2p() { awk 'BEGIN{for(i=1;i<ARGC;i++){printf "%s%g",(i>1?",":""),ARGV[i]*'"$U"'}}' "$@"; }

# fx EXPR : evaluate a small arithmetic expression with awk (floating point)
fx() { awk "BEGIN{printf \"%g\", $*}"; }

# msk NAME MVG... : greyscale coverage mask from MVG drawn in design units
msk() {
  local out="$1"; shift
  convert -size ${S}x${S} xc:black -fill white -stroke none \
    -draw "scale $U,$U $*" -colorspace gray "$T/$out.miff"
}

# mmul OUT A B : mask intersection
mmul() { convert "$T/$2.miff" "$T/$3.miff" -compose multiply -composite "$T/$1.miff"; }
# mgrow OUT IN R : dilate a mask by R design units (soft edges preserved)
mgrow() {
  local r; r=$(fx "$3*$U")
  convert "$T/$2.miff" -morphology Dilate "Disk:$r" "$T/$1.miff"
}

# mshift OUT IN DX DY : move a mask by DX,DY design units
mshift() {
  local dx dy; dx=$(fx "$3*$U"); dy=$(fx "$4*$U")
  convert "$T/$2.miff" -virtual-pixel black -distort SRT "0,0 1 0 $dx,$dy" "$T/$1.miff"
}
# mfade OUT IN FACTOR : scale mask coverage (opacity)
mfade() { convert "$T/$2.miff" -evaluate multiply "$3" "$T/$1.miff"; }

# _clut STOPS... : vertical color ramp through the given colors
_clut() {
  local n=$# i args=()
  if (( n == 1 )); then args=(-size 1x2 "xc:$1"); else
    local c=("$@")
    for ((i = 0; i < n - 1; i++)); do args+=(-size 1x64 "gradient:${c[i]}-${c[i+1]}"); done
    args+=(-append)
  fi
  convert "${args[@]}" -alpha set "$T/_clut.miff"
}

# _apply NAME : map the grey ramp through the color ramp (color and alpha)
_apply() {
  convert "$T/_ramp.miff" -colorspace gray \
    \( -clone 0 \( "$T/_clut.miff" -alpha off \) -clut -colorspace sRGB \) \
    \( -clone 0 \( "$T/_clut.miff" -alpha extract \) -clut \) \
    -delete 0 -alpha off -compose CopyOpacity -composite "$T/$1.miff"
}

# lin NAME X1 Y1 X2 Y2 C0 C1 [C2...] : linear gradient from (X1,Y1) to (X2,Y2)
lin() {
  local out="$1" v; v=$(u2p "$2" "$3" "$4" "$5"); shift 5
  _clut "$@"
  convert -size ${S}x${S} -define gradient:vector="$v" gradient:black-white "$T/_ramp.miff"
  _apply "$out"
}

# rad NAME CX CY R C0(center) C1 [C2...] : radial gradient
rad() {
  local out="$1" c r; c=$(u2p "$2" "$3"); r=$(u2p "$4" "$4"); shift 4
  _clut "$@"
  convert -size ${S}x${S} -define gradient:center="$c" -define gradient:radii="$r" \
    radial-gradient:black-white "$T/_ramp.miff"
  _apply "$out"
}

# solid NAME COLOR
solid() { convert -size ${S}x${S} "xc:$2" "$T/$1.miff"; }

# lay NAME FILL MASK : FILL (image) cut out by MASK
lay() {
  convert "$T/$2.miff" -alpha set \( "$T/$3.miff" -alpha copy \) \
    -compose DstIn -composite "$T/$1.miff"
}

# paint NAME COLOR MASK : flat color cut out by MASK
paint() { solid _solid "$2"; lay "$1" _solid "$3"; }

# flat OUT L1 L2 ... : stack layers (first is bottom)
flat() {
  local out="$1" a=(); shift
  for l in "$@"; do a+=("$T/$l.miff"); done
  convert -size ${S}x${S} xc:none "${a[@]}" -background none -flatten "$T/$out.miff"
}

# shadow NAME OPACITY BLUR DX DY : soft drop shadow under the picture
shadow() {
  local b dx dy; b=$(fx "$3*$U"); dx=$(fx "$4*$U"); dy=$(fx "$5*$U")
  convert "$T/$1.miff" -alpha extract -blur 0x"$b" -roll +"${dx%.*}"+"${dy%.*}" \
    -evaluate multiply "$2" "$T/_shm.miff"
  convert -size ${S}x${S} xc:'#102030' -alpha set \( "$T/_shm.miff" -alpha copy \) \
    -compose DstIn -composite "$T/_sh.miff"
  convert "$T/_sh.miff" "$T/$1.miff" -background none -flatten "$T/$1.miff"
}

# finish NAME SIZE : box-filter the working picture down to SIZE pixels
finish() {
  local sharp="0x0"
  (( $2 <= 16 )) && sharp="0x0.5+0.6+0"
  (( $2 > 16 && $2 <= 32 )) && sharp="0x0.5+0.35+0"
  convert "$T/$1.miff" -filter box -resize "$2x$2" -unsharp "$sharp" \
    -colorspace sRGB -type TrueColorAlpha "$T/$1@$2.miff"
}

# palette NAME : the 256-color form of a finished picture. A pixel at least half covered is
# kept, its soft edge blended against the dialog face; the rest is transparent: set in the
# icon's one-bit mask and black in its color image, as drawing through the mask needs.
# Undithered, so small sizes stay crisp.
palette() {
  convert "$T/$1.miff" \( +clone -background "$ICON_FACE" -flatten \) \
    \( -clone 0 -alpha extract -threshold 50% \) -delete 0 \
    -alpha off -compose CopyOpacity -composite -background black -alpha background \
    +dither -colors 255 "$T/$1.pal.miff"
}

# ico OUT NAME SIZES... : assemble a multi-size 256-color icon. The 16 and 32 pixel images,
# the sizes of 100 %, stay bitmaps that every Windows reads; the others are stored as PNG with
# the same pixels, about half the size (Windows reads them from Vista on).
ico() {
  local out="$1" name="$2" a=(); shift 2
  for s in "$@"; do palette "${name}_$s@$s"; a+=("$T/${name}_$s@$s.pal.miff"); done
  convert "${a[@]}" "${STRIP[@]}" "ICO:$ICONS/$out"
  python3 "$HERE/ico_png.py" 16,32 "$ICONS/$out"
}

# build NAME SIZES... : run draw_NAME for every size and finish it
build() {
  local name="$1" s; shift
  for s in "$@"; do
    "draw_$name" "$s"
    cp "$T/out.miff" "$T/${name}_$s.miff"
    finish "${name}_$s" "$s"
  done
}

# -------------------------------------------------------------- palette --
BLUE_HI='#d6efff'; BLUE_LT='#6fb6ff'; BLUE='#2a74d6'; BLUE_DK='#0c3a8f'; BLUE_OL='#0a2a66'
GRN_HI='#e4ffcf';  GRN_LT='#8ee05a';  GRN='#3ea52a';  GRN_DK='#1e6a12';  GRN_OL='#134a0b'
RED_HI='#ffd9d0';  RED_LT='#ff7a66';  RED='#d8302a';  RED_DK='#98130f';  RED_OL='#5e0b08'
YEL_HI='#fff6c8';  YEL_LT='#ffd84a';  YEL='#f0a800';  YEL_DK='#a86400';  YEL_OL='#6a3e00'
MET_HI='#ffffff';  MET_LT='#e3e8ee';  MET='#aab3bd';  MET_DK='#6b7682';  MET_OL='#39414a'
ICON_FACE='#d4d0c8'     # dialog face color behind the icons' soft edges
WOOD_LT='#e8a868'; WOOD='#b66b2e';    WOOD_DK='#7a3f12'; WOOD_OL='#4a2408'

# ----------------------------------------------------------------- globe --
# Blue glossy globe with meridians/parallels. Used by app + update icons.
# globe_layers PREFIX CX CY R P  (P = design units per output pixel)
globe_layers() {
  local p="$1" cx="$2" cy="$3" r="$4" P="$5"
  local ow; ow=$(fx "$P*1.1")
  msk "${p}g" "circle $cx,$cy $(fx "$cx+$r"),$cy"
  rad "${p}gf" "$(fx "$cx-$r*0.35")" "$(fx "$cy-$r*0.45")" "$(fx "$r*1.55")" \
      "$BLUE_HI" "$BLUE_LT" "$BLUE" "$BLUE_DK"
  lay "${p}L1" "${p}gf" "${p}g"
  # grid lines (skipped where they would turn into mush)
  if awk "BEGIN{exit !($P < 2)}"; then
    local lw; lw=$(fx "$P*0.8")
    msk "${p}grid" "fill none stroke white stroke-width $lw" \
      "ellipse $cx,$cy $(fx "$r*0.42"),$r 0,360" \
      "ellipse $cx,$cy $(fx "$r*0.82"),$r 0,360" \
      "line $cx,$(fx "$cy-$r") $cx,$(fx "$cy+$r")" \
      "line $(fx "$cx-$r"),$cy $(fx "$cx+$r"),$cy" \
      "ellipse $cx,$(fx "$cy-$r*1.25") $(fx "$r*1.35"),$(fx "$r*0.95") 0,180" \
      "ellipse $cx,$(fx "$cy+$r*1.25") $(fx "$r*1.35"),$(fx "$r*0.95") 180,360"
  else
    local lw; lw=$(fx "$P*0.55")
    msk "${p}grid" "fill none stroke white stroke-width $lw" \
      "ellipse $cx,$cy $(fx "$r*0.5"),$r 0,360" \
      "line $(fx "$cx-$r"),$cy $(fx "$cx+$r"),$cy"
  fi
  mmul "${p}grid" "${p}grid" "${p}g"
  convert "$T/${p}grid.miff" -evaluate multiply 0.45 "$T/${p}grid.miff"
  paint "${p}L2" '#e8f6ff' "${p}grid"
  # glossy cap highlight
  msk "${p}hl" "ellipse $cx,$(fx "$cy-$r*0.48") $(fx "$r*0.72") $(fx "$r*0.45") 0,360"
  lin "${p}hlf" 0 "$(fx "$cy-$r*0.95")" 0 "$(fx "$cy-$r*0.05")" '#ffffffd8' '#ffffff10'
  lay "${p}L3" "${p}hlf" "${p}hl"
  # outline
  msk "${p}ol" "fill none stroke white stroke-width $ow circle $cx,$cy $(fx "$cx+$r-$ow/2"),$cy"
  paint "${p}L4" "$BLUE_OL" "${p}ol"
}

# ------------------------------------------------------- shape helpers --

# wa A : white with opacity A (0..1) as #rrggbbaa
wa() { printf '#ffffff%02x' "$(awk "BEGIN{printf \"%d\", $1*255+0.5}")"; }

# part NAME FILL OUTLINE_COLOR OUTLINE_W PRIMITIVES...
#   filled shape with a centered outline; leaves mask NAME_m behind
part() {
  local n="$1" f="$2" oc="$3" ow="$4"; shift 4
  msk "${n}_m" "$*"
  lay "${n}_f" "$f" "${n}_m"
  if [[ "$ow" != 0 ]]; then
    msk "${n}_om" "fill none stroke white stroke-width $ow stroke-linejoin round $*"
    paint "${n}_o" "$oc" "${n}_om"
    flat "$n" "${n}_f" "${n}_o"
  else
    cp "$T/${n}_f.miff" "$T/$n.miff"
  fi
}

# gloss NAME MASK Y0 Y1 A0 A1 : white sheen fading from A0 (at Y0) to A1 (at Y1)
gloss() {
  lin _gl 0 "$3" 0 "$4" "$(wa "$5")" "$(wa "$6")"
  lay "$1" _gl "$2"
}

# glyph NAME MASK P DARK : white symbol with a soft engraved shadow
#   (tiny sizes also get a thin halo in the DARK color to keep the contrast)
glyph() {
  local n="$1" m="$2" P="$3" dk="${4:-#000000}"
  mshift "${n}_sm" "$m" 0 "$(fx "$P*0.7")"
  if awk "BEGIN{exit !($P >= 3)}"; then
    mgrow "${n}_hm" "$m" "$(fx "$P*0.55")"
    convert "$T/${n}_sm.miff" "$T/${n}_hm.miff" -compose lighten -composite "$T/${n}_sm.miff"
  fi
  convert "$T/${n}_sm.miff" -blur 0x"$(fx "$P*0.5*$U")" -evaluate multiply 0.55 "$T/${n}_sm.miff"
  paint "${n}_s" "$dk" "${n}_sm"
  lin "${n}_gf" 0 8 0 40 '#ffffff' '#f2f6fa' '#dfe6ee'
  lay "${n}_g" "${n}_gf" "$m"
  flat "$n" "${n}_s" "${n}_g"
}

# arcpath CX CY R A0 A1 : polyline path for a clockwise arc (screen angles, degrees)
#   (stroke it with "stroke-linejoin round": IM6 closes mitred many-point paths)
arcpath() {
  awk -v cx="$1" -v cy="$2" -v r="$3" -v a0="$4" -v a1="$5" 'BEGIN{
    k = atan2(0, -1) / 180; n = int((a1 - a0) / 3) + 1
    for (i = 0; i <= n; i++) {
      a = (a0 + (a1 - a0) * i / n) * k
      printf "%s %.3f,%.3f ", (i ? "L" : "M"), cx + r*cos(a), cy + r*sin(a)
    } }'
}
# arrowhead CX CY R A W L : head at angle A on the circle, pointing clockwise
arrowhead() {
  awk -v cx="$1" -v cy="$2" -v r="$3" -v a="$4" -v w="$5" -v l="$6" 'BEGIN{
    k = atan2(0, -1) / 180; a *= k; t = a + l / r
    printf "polygon %.3f,%.3f %.3f,%.3f %.3f,%.3f",
      cx + (r + w/2)*cos(a), cy + (r + w/2)*sin(a),
      cx + r*cos(t), cy + r*sin(t),
      cx + (r - w/2)*cos(a), cy + (r - w/2)*sin(a) }'
}

# disc_layers PREFIX CX CY R HI LT MID DK OL P : glossy "gel" button
#   produces layer PREFIX (flattened) and mask PREFIXm
disc_layers() {
  local p="$1" cx="$2" cy="$3" r="$4" hi="$5" lt="$6" md="$7" dk="$8" ol="$9" P="${10}"
  local ow; ow=$(fx "$P*1.1")
  msk "${p}m" "circle $cx,$cy $(fx "$cx+$r"),$cy"
  rad "${p}f" "$cx" "$(fx "$cy+$r*0.62")" "$(fx "$r*1.75")" "$hi" "$lt" "$md" "$dk"
  lay "${p}1" "${p}f" "${p}m"
  msk "${p}hm" "ellipse $cx,$(fx "$cy-$r*0.47") $(fx "$r*0.74"),$(fx "$r*0.46") 0,360"
  local ga; ga=$(awk "BEGIN{print ($P >= 3) ? 0.55 : (($P >= 1.5) ? 0.78 : 0.92)}")
  gloss "${p}2" "${p}hm" "$(fx "$cy-$r*0.95")" "$(fx "$cy-$r*0.02")" "$ga" 0.06
  msk "${p}om" "fill none stroke white stroke-width $ow circle $cx,$cy $(fx "$cx+$r-$ow/2"),$cy"
  paint "${p}3" "$ol" "${p}om"
  flat "$p" "${p}1" "${p}2" "${p}3"
}

# ------------------------------------------------------- nimbrel (p1) ----
# Blue globe with a green heartbeat line running across it.
draw_nimbrel() {
  local P; P=$(fx "48/$1")
  if (( $1 == 16 )); then globe_layers a 24 21 20 "$P"; else globe_layers a 24 21 19 "$P"; fi
  local path w1 w2
  if (( $1 == 16 )); then
    path="M 1.5,31.5 L 13.5,31.5 L 19.5,18 L 27,43.5 L 32.5,31.5 L 46.5,31.5"
    w1=9; w2=3.4
  else
    path="M 3,33 L 14,33 L 18.5,23.5 L 25,43 L 30.5,27.5 L 33.5,33 L 45,33"
    w1=$(fx "$P*1.2+3.3"); w2=$(fx "3.3-$P*0.3")
  fi
  msk po "fill none stroke white stroke-width $w1 stroke-linejoin round stroke-linecap round path '$path'"
  msk pi "fill none stroke white stroke-width $w2 stroke-linejoin round stroke-linecap round path '$path'"
  paint pL1 "$GRN_OL" po
  lin pif 0 22 0 44 "$GRN_HI" "$GRN_LT" "$GRN"
  lay pL2 pif pi
  flat out aL1 aL2 aL3 aL4 pL1 pL2
  shadow out 0.40 "$(fx "$P*0.9")" "$(fx "$P*0.6")" "$(fx "$P*0.9")"
}

# --------------------------------------------------------------- toolbox --
# Red metal toolbox with a steel carrying handle and latches.
draw_toolbox() {
  local P ow hw; P=$(fx "48/$1"); ow=$(fx "$P*1.1")
  local hp="M 16.5,17 L 16.5,10.5 Q 16.5,7.5 19.5,7.5 L 28.5,7.5 Q 31.5,7.5 31.5,10.5 L 31.5,17"
  if (( $1 == 16 )); then hw=4.2; else hw=3; fi
  msk hom "fill none stroke white stroke-width $(fx "$hw+2*$ow") stroke-linejoin round path '$hp'"
  paint h1 "$MET_OL" hom
  msk him "fill none stroke white stroke-width $hw stroke-linejoin round path '$hp'"
  lin hf 0 5 0 16 "$MET_HI" "$MET_LT" "$MET_DK"
  lay h2 hf him
  # body
  lin bodyf 0 21 0 44 "$RED_LT" "$RED" "$RED_DK"
  part body bodyf "$RED_OL" "$ow" "roundrectangle 4,21 44,43.5 2.5,2.5"
  msk bgm "rectangle 5,22.5 43,29"
  gloss bg bgm 22 29 0.45 0.0
  # lid
  lin lidf 0 14 0 22 "$RED_HI" "$RED_LT" "$RED"
  part lid lidf "$RED_OL" "$ow" "roundrectangle 6.5,14.5 41.5,22.5 2.5,2.5"
  local layers=(h1 h2 body bg lid)
  if (( $1 > 16 )); then
    # reinforcement rib along the front
    msk ribm "rectangle 4.5,33 43.5,34"
    mfade ribm ribm 0.45; paint rib "$RED_OL" ribm
    layers+=(rib)
    # latches
    lin latf 0 18 0 28 "$MET_HI" "$MET_LT" "$MET_DK"
    part lat1 latf "$MET_OL" "$ow" "roundrectangle 9,18.5 12.2,27.5 0.8,0.8"
    part lat2 latf "$MET_OL" "$ow" "roundrectangle 35.8,18.5 39,27.5 0.8,0.8"
    layers+=(lat1 lat2)
  fi
  flat out "${layers[@]}"
  shadow out 0.40 "$(fx "$P*0.9")" "$(fx "$P*0.6")" "$(fx "$P*0.9")"
}

# --------------------------------------------------------------- windows --
# Silver flat-panel monitor on a stand, blue screen showing two small windows.
draw_windows() {
  local P ow; P=$(fx "48/$1"); ow=$(fx "$P*1.1")
  lin stf 0 34 0 46 "$MET_LT" "$MET" "$MET_DK"
  part neck stf "$MET_OL" "$ow" "polygon 19.5,34 28.5,34 30,40.5 18,40.5"
  lin basef 0 39 0 46 "$MET_HI" "$MET" "$MET_DK"
  part base basef "$MET_OL" "$ow" "roundrectangle 11,39.5 37,45 2.7,2.7"
  lin bzf 0 4 0 36 "$MET_HI" "$MET_LT" "$MET"
  part bz bzf "$MET_OL" "$ow" "roundrectangle 2.5,4 45.5,35.5 3,3"
  local sx0=6.5 sy0=7.5 sx1=41.5 sy1=31
  if (( $1 == 16 )); then sx0=6; sy0=7; sx1=42; sy1=31.5; fi
  lin scf 0 "$sy0" 0 "$sy1" '#7cc0ff' '#2a74d6' '#103e99'
  local sow; sow=$(fx "$P*0.9"); (( $1 == 16 )) && sow=$(fx "$P*0.6")
  part sc scf '#1d2733' "$sow" "rectangle $sx0,$sy0 $sx1,$sy1"
  local layers=(neck base bz sc)
  if (( $1 > 16 )); then
    # two little application windows on the desktop
    local w
    for w in "11,11.5,27,23.5" "20,17,36.5,28"; do
      IFS=, read -r x0 y0 x1 y1 <<<"$w"
      lin wbf 0 "$y0" 0 "$y1" '#ffffff' '#dfe8f3'
      part "wb$x0" wbf '#0b2a66' "$(fx "$P*0.8")" "rectangle $x0,$y0 $x1,$y1"
      lin wtf 0 "$y0" 0 "$(fx "$y0+3")" '#5aa2f0' '#1c5fc4'
      msk "wtm$x0" "rectangle $x0,$y0 $x1,$(fx "$y0+3")"
      lay "wt$x0" wtf "wtm$x0"
      layers+=("wb$x0" "wt$x0")
    done
  fi
  # glassy reflection across the screen
  msk rfm "polygon $sx0,$sy0 $sx1,$sy0 $sx1,$(fx "$sy0+5") $sx0,$(fx "$sy0+15")"
  mmul rfm rfm sc_m
  gloss rf rfm "$sy0" "$(fx "$sy0+15")" 0.45 0.12
  # power lamp
  solid ledf "$GRN_LT"
  part led ledf "$GRN_OL" "$(fx "$P*0.6")" \
    "circle 40.5,33.2 $(fx "40.5+$( (( $1 == 16 )) && echo 1.6 || echo 1.1 )"),33.2"
  layers+=(rf led)
  flat out "${layers[@]}"
  shadow out 0.40 "$(fx "$P*0.9")" "$(fx "$P*0.6")" "$(fx "$P*0.9")"
}

# --------------------------------------------------------------- stay on --
# Green gel button with a white "play" triangle.
draw_stay_on() {
  local P; P=$(fx "48/$1")
  disc_layers d 24 24 21 "$GRN_HI" "$GRN_LT" "$GRN" "$GRN_DK" "$GRN_OL" "$P"
  if (( $1 == 16 )); then
    msk tri "stroke white stroke-width 3 stroke-linejoin round polygon 19.5,13.5 35,24 19.5,34.5"
  else
    msk tri "stroke white stroke-width 2.5 stroke-linejoin round polygon 19,14.5 34.5,24 19,33.5"
  fi
  glyph g tri "$P" "$GRN_OL"
  flat out d g
  shadow out 0.40 "$(fx "$P*0.9")" "$(fx "$P*0.6")" "$(fx "$P*0.9")"
}

# ------------------------------------------------------------ switch off --
# Red gel button with a white power symbol.
draw_switch_off() {
  local P w=3.8 r=9.5; P=$(fx "48/$1")
  local g0=-55 g1=235 top=12.5
  (( $1 == 16 )) && { w=5.4; r=10.5; g0=-62; g1=242; top=10.5; }
  disc_layers d 24 24 21 "$RED_HI" "$RED_LT" "$RED" "$RED_DK" "$RED_OL" "$P"
  msk pw "fill none stroke white stroke-width $w stroke-linecap round stroke-linejoin round" \
    "path '$(arcpath 24 25.5 "$r" $g0 $g1)'" "line 24,$top 24,24"
  glyph g pw "$P" "$RED_OL"
  flat out d g
  shadow out 0.40 "$(fx "$P*0.9")" "$(fx "$P*0.6")" "$(fx "$P*0.9")"
}

# --------------------------------------------------------------- minimize --
# A window with a green arrow pointing down into the taskbar tray.
draw_minimize() {
  local P ow; P=$(fx "48/$1"); ow=$(fx "$P*1.1")
  local layers=()
  # window
  lin wbf 0 4 0 29 '#ffffff' '#e4ebf4' '#c9d5e4'
  part wb wbf '#23416f' "$ow" "rectangle 3.5,4.5 31.5,28.5"
  lin wtf 0 4 0 10.5 '#78b4ff' '#2a74d6' '#1550b4'
  msk wtm "rectangle 3.5,4.5 31.5,10.5"
  lay wt wtf wtm
  msk wto "fill none stroke white stroke-width $ow rectangle 3.5,4.5 31.5,28.5"
  paint wo '#23416f' wto
  layers+=(wb wt wo)
  if (( $1 > 16 )); then
    msk wl "rectangle 7,14 24,15.3 rectangle 7,18 20,19.3 rectangle 7,22 22,23.3"
    mfade wl wl 0.5; paint wlines '#6d7f99' wl
    layers+=(wlines)
  fi
  # taskbar with the notification area on the right
  lin tbf 0 38.5 0 46 "$BLUE_LT" "$BLUE" "$BLUE_DK"
  part tb tbf "$BLUE_OL" "$ow" "roundrectangle 2.5,38.5 45.5,45.5 2,2"
  lin trf 0 39 0 45 '#9ad0ff' '#3f8ee8' '#1f62c8'
  part tr trf "$BLUE_OL" "$(fx "$P*0.8")" "rectangle 29,39.2 45,44.8"
  msk tbg "rectangle 3.5,39.3 44.5,41.8"
  gloss tg tbg 39 42 0.5 0.05
  layers+=(tb tr tg)
  # arrow
  lin arf 0 12 0 37 "$GRN_HI" "$GRN_LT" "$GRN" "$GRN_DK"
  part ar arf "$GRN_OL" "$ow" "polygon 33.5,12.5 40.5,12.5 40.5,25 45.5,25 37,36 28.5,25 33.5,25"
  layers+=(ar)
  flat out "${layers[@]}"
  shadow out 0.40 "$(fx "$P*0.9")" "$(fx "$P*0.6")" "$(fx "$P*0.9")"
}

# ------------------------------------------------------------------ exit --
# An open wooden door with a red arrow leaving through it.
draw_exit() {
  local P ow; P=$(fx "48/$1"); ow=$(fx "$P*1.1")
  # doorway (dark interior inside a wooden frame)
  lin inf 0 5 0 44 '#2b2f38' '#4b5260' '#6b7484'
  part dw inf "$WOOD_OL" "$ow" "rectangle 12,5 33,44"
  msk frm "fill none stroke white stroke-width 2.2 rectangle 11.2,4.2 33.8,44"
  lin frf 0 4 0 44 "$WOOD_LT" "$WOOD" "$WOOD_DK"
  lay fr frf frm
  msk fro "fill none stroke white stroke-width $ow rectangle 10,3 35,44"
  paint fo "$WOOD_OL" fro
  # door leaf swung open towards the viewer
  lin drf 12 0 23 0 "$WOOD_DK" "$WOOD" "$WOOD_LT"
  part dr drf "$WOOD_OL" "$ow" "polygon 12,5 22,2.5 22,46.5 12,44"
  local layers=(dw fr fo dr)
  if (( $1 > 16 )); then
    msk pnm "fill none stroke white stroke-width $(fx "$P*0.8") polygon 14,9 20,7.5 20,22 14,22.5 polygon 14,27 20,27 20,41.5 14,40"
    mfade pnm pnm 0.5; paint pn "$WOOD_OL" pnm
    layers+=(pn)
  fi
  solid knf "$YEL_LT"
  part kn knf "$YEL_OL" "$(fx "$P*0.6")" "circle 19.5,25 $(fx "19.5+$( (( $1 == 16 )) && echo 1.7 || echo 1.3 )"),25"
  layers+=(kn)
  # arrow
  lin arf 0 14 0 38 "$RED_HI" "$RED_LT" "$RED" "$RED_DK"
  if (( $1 == 16 )); then
    part ar arf "$RED_OL" "$ow" "polygon 20,19.5 31,19.5 31,11 46,25 31,39 31,30.5 20,30.5"
  else
    part ar arf "$RED_OL" "$ow" "polygon 22,21 33,21 33,13.5 45.5,25 33,36.5 33,29 22,29"
  fi
  layers+=(ar)
  flat out "${layers[@]}"
  shadow out 0.40 "$(fx "$P*0.9")" "$(fx "$P*0.6")" "$(fx "$P*0.9")"
}

# ---------------------------------------------------------------- update --
# Globe circled by two green refresh arrows.
draw_update() {
  local P ow r=18 w=3.6 hw=8.5 hl=6.5 a0=-80 a1=38 gr=13; P=$(fx "48/$1"); ow=$(fx "$P*1.1")
  if (( $1 == 16 )); then
    # too small for circling arrows: a big globe with a green download arrow
    globe_layers a 21 20 18.5 "$P"
    lin aif 0 22 0 47 "$GRN_HI" "$GRN_LT" "$GRN" "$GRN_DK"
    part ar aif "$GRN_OL" "$ow" "polygon 32,22.5 41,22.5 41,32 47,32 36.5,46 26,32 32,32"
    flat out aL1 aL2 aL3 aL4 ar
    shadow out 0.40 "$(fx "$P*0.9")" "$(fx "$P*0.6")" "$(fx "$P*0.9")"
    return
  fi
  globe_layers a 24 24 "$gr" "$P"
  local prim heads
  prim="path '$(arcpath 24 24 $r $a0 $a1)' path '$(arcpath 24 24 $r $((a0+180)) $((a1+180)))'"
  heads="$(arrowhead 24 24 $r $a1 $hw $hl) $(arrowhead 24 24 $r $((a1+180)) $hw $hl)"
  msk aom1 "fill none stroke white stroke-linejoin round stroke-width $(fx "$w+2*$ow") $prim"
  msk aom2 "stroke white stroke-width $(fx "2*$ow") stroke-linejoin round $heads"
  convert "$T/aom1.miff" "$T/aom2.miff" -compose lighten -composite "$T/aom.miff"
  paint ao "$GRN_OL" aom
  msk aim1 "fill none stroke white stroke-linejoin round stroke-width $w $prim"
  msk aim2 "$heads"
  convert "$T/aim1.miff" "$T/aim2.miff" -compose lighten -composite "$T/aim.miff"
  rad aif 18 14 34 "$GRN_HI" "$GRN_LT" "$GRN" "$GRN_DK"
  lay ai aif aim
  flat out aL1 aL2 aL3 aL4 ao ai
  shadow out 0.40 "$(fx "$P*0.9")" "$(fx "$P*0.6")" "$(fx "$P*0.9")"
}

# ------------------------------------------------------------------ help --
# Blue gel button with a white question mark.
draw_help() {
  local P; P=$(fx "48/$1")
  disc_layers d 24 24 21 "$BLUE_HI" "$BLUE_LT" "$BLUE" "$BLUE_DK" "$BLUE_OL" "$P"
  if (( $1 == 16 )); then
    # laid out on the 3-unit pixel grid so the glyph stays sharp
    msk qm "fill none stroke white stroke-width 6 stroke-linecap round stroke-linejoin round" \
      "path 'M 18,18 C 18,12.5 21,10.5 24,10.5 C 28,10.5 31,12.5 31,16.5 C 31,20.5 24,21 24,25'" \
      "fill white stroke none rectangle 21,30 27,36"
  else
    msk qm "fill none stroke white stroke-width 5 stroke-linecap round stroke-linejoin round" \
      "path 'M 17.5,17.5 C 17.5,12.5 20.8,10.2 24.6,10.2 C 28.6,10.2 31.2,12.8 31.2,16.4 C 31.2,21.5 24.6,22 24.6,27.3'" \
      "fill white stroke none circle 24.6,35 27.5,35"
  fi
  glyph g qm "$P" "$BLUE_OL"
  flat out d g
  shadow out 0.40 "$(fx "$P*0.9")" "$(fx "$P*0.6")" "$(fx "$P*0.9")"
}

# ------------------------------------------------------------ LED lamps --
# 30x15, 4 bpp palette bitmaps: unlit lamp on the left, lit lamp on the right.
# Transparency is by color key: the background is magenta (247,0,255) and
# the program loads them with LR_LOADTRANSPARENT, so the first pixel must be
# that color.  No soft edges are possible against a color key, so partial
# edge pixels are blended against the usual grey dialog face instead.
KEY='#F700FF'
LED_RIM='#3a3a3a'
LED_GREYS=('#dcdcdc' '#a4a4a4' '#7c7c7c' '#565656')
LED_FACE='#d4d0c8'          # dialog face color used for partial edge pixels

# led_frame OUT HI LIGHT MID DARK RIMCOLOR  (240x240 working frame, 16x)
led_frame() {
  local out="$1" hi="$2" lt="$3" md="$4" dk="$5" rim="$6"
  local S=240   # helpers below work on this canvas size
  # ball: radial gradient lit from the upper left
  convert -size 240x240 -define gradient:center=100,96 -define gradient:radii=150,150 \
    radial-gradient:black-white "$T/_ramp.miff"
  _clut "$hi" "$lt" "$md" "$dk" "$dk"
  _apply _ball
  convert -size 240x240 xc:black -fill white -draw "circle 120,120 120,19" "$T/_bm.miff"
  lay _b _ball _bm
  # rim
  convert -size 240x240 xc:black -fill none -stroke white -strokewidth 16 \
    -draw "circle 120,120 120,19" "$T/_rm.miff"
  paint _r "$rim" _rm
  # glossy highlight (2-3 pixels once reduced)
  convert -size 240x240 xc:black -fill white -draw "ellipse 86,74 30,22 0,360" \
    -blur 0x6 "$T/_hm.miff"
  paint _h '#ffffff' _hm
  convert -size 240x240 xc:none "$T/_b.miff" "$T/_r.miff" "$T/_h.miff" -background none \
    -flatten "$T/$out.miff"
}

# make_led NAME HI LIGHT MID DARK RIM : writes bitmaps/led_NAME.bmp
make_led() {
  local name="$1" hi="$2" lt="$3" md="$4" dk="$5" rim="$6"
  led_frame _off "${LED_GREYS[@]}" "$LED_RIM"
  led_frame _on "$hi" "$lt" "$md" "$dk" "$rim"
  convert "$T/_off.miff" "$T/_on.miff" +append +repage -filter box -resize 30x15 "$T/_l.miff"
  # palette: key, socket rim, white, four greys, four shades of the lit
  # color and its rim, a grey for partly covered edge pixels, black
  convert -size 1x1 "xc:$KEY" "xc:$LED_RIM" xc:'#ffffff' \
    $(printf 'xc:%s ' "${LED_GREYS[@]}") "xc:$hi" "xc:$lt" "xc:$md" "xc:$dk" "xc:$rim" \
    xc:'#9a9890' xc:'#000000' +append +repage -depth 8 "$T/_pal.miff"
  # opaque where coverage >= 40%, flattened on the dialog face color
  convert "$T/_l.miff" -alpha extract -threshold 40% "$T/_lm.miff"
  convert -size 30x15 "xc:$KEY" \( "$T/_l.miff" -background "$LED_FACE" -flatten \) \
    "$T/_lm.miff" -composite +dither -remap "$T/_pal.miff" -depth 8 \
    -type Palette -colors 16 "${STRIP[@]}" BMP3:"$BITMAPS/led_$name.bmp"
}

# ---------------------------------------------------------------- cursor --
# 32x32 pointing hand, index finger pointing left, hot spot on the finger tip.
# Pixel art (a cursor must be crisp): '#' black outline, 'o' white, 'g' light
# grey shading, '.' transparent.
HAND_HOT_X=1
HAND_HOT_Y=11
hand_pixels() {
  cat <<'GRID'
................................
................................
................................
......................######....
..............#########ooog#....
...........###oooooooo#ooog#....
..........#ooooooooooo#ooog#....
.........#oooooooooooo#ooog#....
.........#oooooooooooo#ooog#....
..#############ggooooo#ooog#....
.#oooooooooooooooooooo#ooog#....
#ooooooooooooooooooooo#ooog#....
.#ggggoooooooooooooooo#ooog#....
..###############ooooo#ooog#....
.........#oooooooooooo#ooog#....
........#ooooooooooooo#ooog#....
.........#gggooooooooo#ooog#....
..........########oooo#ooog#....
..........#ooooooooooo#ooog#....
.........#oooooooooooo#ooog#....
..........#gggoooooooo#ooog#....
...........#######oooo#ooog#....
...........#oooooooooo#ooog#....
............#gggoooooo#ooog#....
.............##########ooog#....
......................######....
................................
................................
................................
................................
................................
................................
GRID
}

make_cursor() {
  local xpm="$T/hand.xpm" ico="$T/hand.ico"
  { echo '/* XPM */'
    echo 'static char *hand[] = {'
    echo '"32 32 4 1",'
    echo '". c None",'
    echo '"# c #000000",'
    echo '"o c #FFFFFF",'
    echo '"g c #C0C0C0",'
    hand_pixels | sed 's/.*/"&",/'
    echo '};'
  } > "$xpm"
  # 4 bpp + AND mask: the classic cursor format, fine on every Windows version
  convert "$xpm" -type PaletteAlpha "${STRIP[@]}" "ICO:$ico"
  # turn the icon into a cursor: ICONDIR type = 2, hot spot in the entry
  cp "$ico" "$CURSORS/hand.cur"
  printf '\x02\x00' | dd of="$CURSORS/hand.cur" bs=1 seek=2 conv=notrunc status=none
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $HAND_HOT_X 0 $HAND_HOT_Y 0)" |
    dd of="$CURSORS/hand.cur" bs=1 seek=10 conv=notrunc status=none
}

# --------------------------------------------------------------- preview --
# preview.png: every icon at 48/32/16 px, bitmaps x4, on a light grey sheet.
preview() {
  local tiles=() f w idx lbl
  for f in "$ICONS"/*.ico; do
    local parts=()
    for w in 48 32 16; do
      idx=$(convert "$f" -format '%w %p\n' info: | awk -v w=$w '$1==w{print $2; exit}')
      [[ -n "$idx" ]] || continue
      parts+=( \( "$f[$idx]" -background '#f5f5f5' -gravity center -extent 56x56 \) )
    done
    lbl=$(basename "$f")
    convert "${parts[@]}" +append +repage -background '#f5f5f5' -gravity center -extent 180x60 \
      \( -size 180x16 -background '#f5f5f5' -fill '#333333' -pointsize 11 -gravity center "label:$lbl" \) \
      -append "$T/tile_$lbl.miff"
    tiles+=("$T/tile_$lbl.miff")
  done
  for f in "$BITMAPS"/*.bmp "$CURSORS"/*.cur; do
    [[ -f "$f" ]] || continue
    lbl=$(basename "$f")
    if [[ "$f" == *.bmp ]]; then
      convert "$f" -filter point -resize 400% -background '#f5f5f5' -gravity center -extent 180x60 "$T/_b.miff"
    else
      convert "$f" -background '#f5f5f5' -flatten \( +clone -filter point -resize 200% \) \
        -gravity center +append +repage -background '#f5f5f5' -extent 180x60 "$T/_b.miff"
    fi
    convert "$T/_b.miff" \( -size 180x16 -background '#f5f5f5' -fill '#333333' -pointsize 11 \
      -gravity center "label:$lbl" \) -append "$T/tile_$lbl.miff"
    tiles+=("$T/tile_$lbl.miff")
  done
  # lay tiles out four per row
  local rows=() i row
  for ((i = 0; i < ${#tiles[@]}; i += 4)); do
    convert "${tiles[@]:i:4}" -background '#f5f5f5' +append +repage -gravity west -extent 720x76 "$T/row_$i.miff"
    rows+=("$T/row_$i.miff")
  done
  convert "${rows[@]}" -background '#f5f5f5' -append -bordercolor '#f5f5f5' -border 10 \
    "${STRIP[@]}" "$HERE/preview.png"
}

# ----------------------------------------------------------------- main --
ONLY="${ART_ONLY:-}"     # developer aid: ART_ONLY=help ./make-art.sh
want() { [[ -z "$ONLY" || " $ONLY " == *" $1 "* ]]; }

# Each icon holds the sizes it is drawn at, from 100 % to 200 % scaling. The first image is the
# one a natural-size load takes: the size the icon is made for at 100 %.
# The program's icon: the small icon (16 x scale) and the large one (32 x scale).
want nimbrel     && { build nimbrel     16 20 24 32 40 48 64; ico nimbrel.ico nimbrel 16 20 24 32 40 48 64; }
# The exe's own icon shows the same picture with the same images: the resource script's first
# ICON statement ("p1") holds them, numbered from 1, and this group names them.
want nimbrel     && python3 "$HERE/icon_group.py" "$ICONS/nimbrel.ico" 1 "$ICONS/nimbrel.grp"
# Icons of the pages' icon statics, drawn at the large-icon size.
want toolbox     && { build toolbox     16 32 40 48 64; ico toolbox.ico    toolbox     16 32 40 48 64; }
want windows     && { build windows     16 32 40 48 64; ico windows.ico    windows     16 32 40 48 64; }
# The status page's buttons are made for 32-pixel icons.
want stay_on     && { build stay_on     32 40 48 64; ico stay_on.ico    stay_on     32 40 48 64; }
want switch_off  && { build switch_off  32 40 48 64; ico switch_off.ico switch_off  32 40 48 64; }
want minimize    && { build minimize    32 40 48 64; ico minimize.ico   minimize    32 40 48 64; }
want exit        && { build exit        32 40 48 64; ico exit.ico       exit        32 40 48 64; }
# The about page's buttons are made for 16-pixel icons.
want update      && { build update      16 20 24 32 48; ico update.ico     update      16 20 24 32 48; }
want help        && { build help        16 20 24 32 48; ico help.ico       help        16 20 24 32 48; }

if want led; then
  make_led red    '#ffd2c8' '#ff5a40' '#e01010' '#8a0000' '#4a0806'
  make_led green  '#dcffd0' '#5cf03c' '#14b414' '#0a6000' '#0c3a08'
  make_led yellow '#fffbd0' '#ffe840' '#f0b800' '#946000' '#4e3606'
fi
want cursor && make_cursor

if [[ -n "${ART_DEBUG_DIR:-}" ]]; then
  mkdir -p "$ART_DEBUG_DIR"
  for f in "$T"/*_{16,20,24,32,40,48,64}.miff; do
    [[ -f "$f" ]] && convert "$f" "$ART_DEBUG_DIR/$(basename "${f%.miff}").png"
  done
fi
(( PREVIEW )) && preview
exit 0
