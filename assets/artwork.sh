#!/bin/sh
# Draws the program's pictures and icons with ImageMagick 6 (`convert`): the title bar
# of the main window, the splash title, the program icon and the commands-list icon.
# The results are committed; run this again only to change the artwork.
#   title_bar.png  191x32, the drop-down arrow under the hot spot at x 168..185, y 8..25
#   splash.png     300x205
# The pictures are kept as PNG; the build flattens them on white into the 256-colour
# BMPs that the resource script takes (assets/CMakeLists.txt).
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

amber='#f2b950'
cream='#f6e6c4'
night_top='#27304a'
night_bottom='#0d111b'
font=DejaVu-Sans-Bold

# ---- title bar: a dark bar with round ends, the title, and the arrow at the right
convert -size 191x32 gradient:"$night_top"-"$night_bottom" "$tmp/bar-fill.png"
convert -size 191x32 xc:none -fill white -draw "roundrectangle 0,0 190,31 15,15" "$tmp/bar-mask.png"
convert "$tmp/bar-fill.png" "$tmp/bar-mask.png" -alpha off -compose CopyOpacity -composite \
    -fill none -stroke "$amber" -strokewidth 1 -draw "roundrectangle 0.5,0.5 189.5,30.5 15,15" \
    -stroke none -fill "$amber" -draw "circle 15,16 15,12" \
    -fill "$night_bottom" -draw "rectangle 14,14 16,18" \
    -font "$font" -pointsize 14 -fill "$cream" -annotate +25+21 "lantèrn Idlè" \
    -stroke '#3d4660' -strokewidth 1 -draw "line 164,8 164,24" -stroke none \
    -fill "$cream" -draw "polygon 171,14 183,14 177,21" \
    "$tmp/title_bar.png"
convert -size 191x32 xc:white "$tmp/title_bar.png" -composite title_bar.png

# ---- splash: a lantern with its glow, the title, and how to go on
convert -size 300x205 gradient:"$night_top"-"$night_bottom" \
    \( -size 460x420 radial-gradient:'#f2b95066'-none \) -geometry -155-136 -composite \
    -fill none -stroke "$amber" -strokewidth 2 -draw "roundrectangle 3,3 296,201 14,14" \
    -stroke "$amber" -strokewidth 3 -draw "arc 59,22 91,52 180,360" \
    -stroke none -fill '#3a2f1c' -draw "roundrectangle 55,38 95,48 3,3" \
    -fill "$amber" -draw "roundrectangle 58,48 92,96 8,8" \
    -fill '#fff3c8' -draw "ellipse 75,74 8,14 0,360" \
    -fill '#3a2f1c' -draw "roundrectangle 55,96 95,104 3,3" \
    -font "$font" -pointsize 26 -fill "$cream" -annotate +112+70 "lantèrn" \
    -pointsize 26 -fill "$amber" -annotate +112+100 "Idlè" \
    -font DejaVu-Sans -pointsize 12 -fill "$cream" -annotate +178+100 "[beta]" \
    -pointsize 12 -fill '#c9cfdd' -annotate +24+145 "keeps your away status in the chat room" \
    -fill "$amber" -draw "line 24,160 276,160" \
    -pointsize 12 -fill "$cream" -gravity south -annotate +0+18 "click to begin" \
    splash.png

# ---- icons: the lantern on a night tile; the commands list as a dotted list
icon_layer() {  # icon_layer <size> <out.png>
    s=$1
    convert -size 256x256 xc:none \
        -fill "$night_bottom" -draw "roundrectangle 8,8 247,247 44,44" \
        -fill none -stroke "$amber" -strokewidth 14 -draw "arc 88,20 168,92 180,360" -stroke none \
        -fill '#3a2f1c' -draw "roundrectangle 72,56 184,82 8,8" \
        -fill "$amber" -draw "roundrectangle 80,80 176,200 22,22" \
        -fill '#fff3c8' -draw "ellipse 128,140 20,36 0,360" \
        -fill '#3a2f1c' -draw "roundrectangle 72,196 184,222 8,8" \
        -resize "${s}x${s}" -depth 8 "$2"
}
commands_layer() {  # commands_layer <size> <out.png>
    s=$1
    convert -size 256x256 xc:none \
        -fill "$night_bottom" -draw "roundrectangle 8,8 247,247 44,44" \
        -fill "$amber" -draw "circle 64,72 64,56" -draw "circle 64,128 64,112" -draw "circle 64,184 64,168" \
        -fill "$cream" -draw "roundrectangle 96,60 212,84 10,10" \
        -draw "roundrectangle 96,116 212,140 10,10" -draw "roundrectangle 96,172 212,196 10,10" \
        -resize "${s}x${s}" -depth 8 "$2"
}
for s in 16 24 32 48 256; do
    icon_layer "$s" "$tmp/app-$s.png"
    commands_layer "$s" "$tmp/commands-$s.png"
done
convert "$tmp"/app-16.png "$tmp"/app-24.png "$tmp"/app-32.png "$tmp"/app-48.png "$tmp"/app-256.png lantern-idle.ico
convert "$tmp"/commands-16.png "$tmp"/commands-24.png "$tmp"/commands-32.png "$tmp"/commands-48.png \
    "$tmp"/commands-256.png commands.ico
cp "$tmp/app-256.png" lantern-idle.png
