#!/bin/sh
# Folder trees for the end-to-end tests, of hard links to the build's test pictures:
#   make_trees.sh PICTURES LARGE_PICTURE OUT
# OUT/tree: six pictures at the top and twelve in three nested folders, with a hidden folder of
# other pictures and a link from the deepest folder back to its parent; OUT/large: 10,000 folders
# of ten pictures each, a scan that lasts seconds under Wine.
set -e
pictures=$1 large=$2 out=$3
rm -rf "$out"
tree="$out/tree"
mkdir -p "$tree/A/B/C" "$tree/A/.hidden"
ln "$pictures"/*.bmp "$tree"
ln "$pictures"/*.jpg "$tree/A"
ln "$pictures"/*.jpeg "$tree/A/B"
ln "$pictures"/*.png "$pictures"/*.gif "$pictures"/*.webp "$tree/A/B/C"
ln -s .. "$tree/A/B/C/up"
for name in 1 2 3 4 5 6; do
    ln "$large" "$tree/A/.hidden/$name.png"
done
mkdir -p "$out/large/0"
for folder in $(seq 1 100); do
    mkdir "$out/large/0/$folder"
    # Ten sources: ext4 keeps at most 65,000 links to one file.
    ln "$pictures"/*.jpg "$pictures"/*.bmp "$out/large/0/$folder"
done
for copy in $(seq 1 99); do
    cp -al "$out/large/0" "$out/large/$copy"
done
