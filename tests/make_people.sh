#!/bin/sh
# make_people.sh FOLDER [CONVERT]: a camera's folder whose only names are in one photo's tags. IMG_0001.jpg is
# a group photo, 1200 x 800, of three faces in pure colours (red, green, blue squares left to right)
# that its metadata names Grandma, Grandpa and Baby by regions; IMG_0002..0004 are untagged.
set -e
CONVERT=${2:-convert}
mkdir -p "$1"
"$CONVERT" -size 1200x800 "xc:#999999" -type TrueColor \
    -fill red -draw 'rectangle 200,250 319,369' \
    -fill lime -draw 'rectangle 540,250 659,369' \
    -fill blue -draw 'rectangle 880,250 999,369' \
    -quality 95 "$1/IMG_0001.jpg"
exiftool -q -overwrite_original '-XMP-mwg-rs:RegionInfo={AppliedToDimensions={W=1200,H=800,Unit=pixel},RegionList=[{Area={X=0.216667,Y=0.3875,W=0.1,H=0.15,Unit=normalized},Name=Grandma,Type=Face},{Area={X=0.5,Y=0.3875,W=0.1,H=0.15,Unit=normalized},Name=Grandpa,Type=Face},{Area={X=0.783333,Y=0.3875,W=0.1,H=0.15,Unit=normalized},Name=Baby,Type=Face}]}' "$1/IMG_0001.jpg"
for i in 2 3 4; do
    "$CONVERT" -size 800x600 "xc:#80808$i" -quality 90 "$1/IMG_000$i.jpg"
done
