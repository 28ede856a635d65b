#!/bin/sh
# make_titled.sh FOLDER CIRCLE: 18 copies of the portrait circle in FOLDER, each carrying a title
# apart from its file name ("Titled circle-07" in circle-07.jpg) and a date taken, for the large
# view's journeys.
set -e
mkdir -p "$1"
for i in $(seq -w 0 17); do
    cp "$2" "$1/circle-$i.jpg"
done
exiftool -q -overwrite_original '-XMP-dc:Title<Titled ${filename;s/\.jpg$//}' \
    '-EXIF:DateTimeOriginal=2019:07:14 10:00:00' "$1"
