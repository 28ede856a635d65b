#!/bin/sh
# make_then_and_now.sh FOLDER [CONVERT]: a camera's folder of dated photos, each of one colour, whose
# tags name the people in them. Anna (by face regions), Bo and Cy (by IPTC's person in the image)
# each have an old and a new photo years apart, Anna one between; the decoys: Dee's two photos within
# a year, Eve's one dated photo and one undated, and Fay's two titled but untagged.
set -e
CONVERT=${2:-convert}
mkdir -p "$1"
photo() { # number colour day [exiftool arguments]
    file="$1/IMG_00$2.jpg"
    "$CONVERT" -size 640x480 "xc:#$3" -quality 95 "$file"
    day=$4
    shift 4
    [ -z "$day" ] || set -- "-EXIF:DateTimeOriginal=$day 12:00:00" "$@"
    exiftool -q -overwrite_original "$@" "$file"
}
region() {
    echo "-XMP-mwg-rs:RegionInfo={AppliedToDimensions={W=640,H=480,Unit=pixel},RegionList=[{Area={X=0.5,Y=0.5,W=0.4,H=0.4,Unit=normalized},Name=$1,Type=Face}]}"
}
photo "$1" 01 ff0000 1990:06:01 "$(region Anna)"
photo "$1" 02 808000 2005:06:01 "$(region Anna)"
photo "$1" 03 00ff00 2020:06:01 "$(region Anna)"
photo "$1" 04 0000ff 1975:03:10 -XMP-iptcExt:PersonInImage=Bo
photo "$1" 05 ffff00 2015:03:10 -XMP-iptcExt:PersonInImage=Bo
photo "$1" 06 ff00ff 2022:02:01 -XMP-iptcExt:PersonInImage=Cy
photo "$1" 07 00ffff 1980:02:01 -XMP-iptcExt:PersonInImage=Cy
photo "$1" 08 808080 2019:01:01 -XMP-iptcExt:PersonInImage=Dee
photo "$1" 09 404040 2019:12:31 -XMP-iptcExt:PersonInImage=Dee
photo "$1" 10 c0c0c0 "" -XMP-iptcExt:PersonInImage=Eve
photo "$1" 11 000080 2001:01:01 -XMP-iptcExt:PersonInImage=Eve
photo "$1" 12 008000 1990:01:01 -XMP-dc:Title=Fay
photo "$1" 13 800080 2020:01:01 -XMP-dc:Title=Fay
