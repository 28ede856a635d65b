#!/usr/bin/env bash
# Rebuilds samples/pictures/ from Debian's openclipart-png clip art.
# Usage: samples/make_pictures.sh [PNG_ROOT]
#   PNG_ROOT defaults to the png folder that `dpkg -L openclipart-png` lists
#   (/usr/share/openclipart/png). Needs ImageMagick's convert and identify.
# openclipart-png is only a source for this script: the game and its tests never need it.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out="$here/pictures"

if [[ $# -ge 1 ]]; then
    root=$1
else
    if ! dpkg -s openclipart-png >/dev/null 2>&1; then
        echo "error: Debian package openclipart-png is not installed (apt-get install openclipart-png)," >&2
        echo "       or pass the folder that holds its PNGs as the first argument" >&2
        exit 1
    fi
    root=$(dpkg -L openclipart-png | grep -m1 '/openclipart/png$' || true)
fi
if [[ -z "$root" || ! -d "$root" ]]; then
    echo "error: no openclipart png folder at '${root:-?}'" >&2
    exit 1
fi
for tool in convert identify; do
    command -v "$tool" >/dev/null || { echo "error: $tool (ImageMagick) not found" >&2; exit 1; }
done

# Output name, then the source path inside the package. The extension picks the format, and
# the formats are mixed on purpose so the sample set exercises every loader the game has.
pictures=(
    "ladybug.jpg     animals/bugs/ladybug_01.png"
    "butterfly.png   animals/bugs/butterfly_jonathan_dietr_01.png"
    "fish.bmp        animals/fish/pescetto_arancione_archi_01.png"
    "monkey.jpg      animals/mammals/happy_monkey_benji_park_01.png"
    "cow.png         animals/mammals/vacca_pezzata_rossa_val_01.png"
    "tiger.bmp       animals/mammals/big_cats/color_tiger_susan_park_01.png"
    "penguin.jpg     animals/birds/new_penguin_charles_mcco_01.png"
    "dinosaur.png    animals/dinosaurs/dino_architetto_francesc_01.png"
    "apple.bmp       food/fruit/an_apple_01.png"
    "bananas.jpg     food/fruit/bananas_nicu_buculei_01.png"
    "grapes.png      food/fruit/grapes_01.png"
    "pear.bmp        food/fruit/green_pear_01.png"
    "pineapple.jpg   food/fruit/pineapple.png"
    "watermelon.png  food/fruit/pasteque_01.png"
    "carrot.bmp      food/vegetables/what_s_up_doc_01.png"
    "cake.jpg        food/desserts/birthday_cake.png"
    "beachball.png   recreation/toys/beach_ball_01.png"
    "duck.bmp        recreation/toys/rubber_duck1_ganson.png"
    "train.jpg       recreation/toys/kiddy_train_orlando_kara_.png"
    "cube.png        recreation/toys/rubik_s_cube_petri_lumme_01.png"
    "drums.bmp       recreation/music/drums_jarno_vasamaa_.png"
    "xylophone.jpg   recreation/music/xylophone_ganson.png"
    "rocket.png      transportation/vehicles/rocket.png"
    "sailboat.bmp    transportation/boating/sailboat_illustration.png"
    "tulips.jpg      plants/flowers/tulips_ganson.png"
    "flower.png      plants/flowers/flower_01.png"
    "gift.bmp        recreation/holiday/gift03.png"
    "tree.jpg        recreation/holiday/christmas/christmas_tree_01.png"
)

missing=0
for entry in "${pictures[@]}"; do
    read -r _ src <<<"$entry"
    [[ -f "$root/$src" ]] || { echo "error: missing $root/$src" >&2; missing=1; }
done
[[ $missing -eq 0 ]] || exit 1

mkdir -p "$out"
# Stale pictures from an older list would otherwise join the deck.
find "$out" -maxdepth 1 -type f \( -iname '*.jpg' -o -iname '*.jpeg' -o -iname '*.png' -o -iname '*.bmp' \) -delete

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for entry in "${pictures[@]}"; do
    read -r name src <<<"$entry"
    ext=${name##*.}
    # BMPs are uncompressed, so they get a smaller box to keep the folder light. The box is
    # a little under the final size, leaving room for the margin added below.
    if [[ $ext == bmp ]]; then box=176x132; else box=280x210; fi

    # Trimming the clip art's empty margins lets the subject fill the card; shrink only, so
    # small sources are not blown up into blur.
    convert "$root/$src" -background white -alpha remove -alpha off -colorspace sRGB \
        -fuzz 2% -trim +repage -resize "$box>" "$tmp/fit.png"
    read -r w h < <(identify -format '%w %h\n' "$tmp/fit.png")

    # The game stretches a whole picture onto a card of about 4:3, so pad to that shape
    # (plus a thin margin) rather than let tall or wide subjects be squashed.
    m=$(( (w > h ? w : h) / 16 ))
    W=$(( w + 2 * m )); H=$(( h + 2 * m ))
    if (( W * 3 > H * 4 )); then H=$(( (W * 3 + 3) / 4 )); else W=$(( (H * 4 + 2) / 3 )); fi

    # -depth 8 because the game cannot load 16-bit PNGs; TrueColor keeps every file 24-bit RGB.
    common=(-gravity center -background white -extent "${W}x${H}" -strip -type TrueColor -depth 8)
    case $ext in
        jpg) convert "$tmp/fit.png" "${common[@]}" -quality 85 "$out/$name" ;;
        png) convert "$tmp/fit.png" "${common[@]}" "PNG24:$out/$name" ;;
        bmp) convert "$tmp/fit.png" "${common[@]}" "BMP3:$out/$name" ;;
        *) echo "error: unknown format for $name" >&2; exit 1 ;;
    esac
done

credits="$out/CREDITS.md"
{
    echo "# Credits for the sample pictures"
    echo
    echo "This file is not a picture: the game only picks up .jpg, .jpeg, .png and .bmp files."
    echo
    echo "Every picture here comes from the Open Clip Art Library, as packaged by Debian's"
    echo "\`openclipart-png\` package. That package's copyright file"
    echo "(/usr/share/doc/openclipart-png/copyright) puts them in the public domain:"
    echo
    echo "> creative commons Public Domain Dedication"
    echo ">"
    echo "> Dedicator recognizes that, once placed in the public domain, the Work may be"
    echo "> freely reproduced, distributed, transmitted, used, modified, built upon, or"
    echo "> otherwise exploited by anyone for any purpose, commercial or non-commercial,"
    echo "> and in any way, including by methods that have not yet been invented or"
    echo "> conceived."
    echo
    echo "Each was flattened onto white, trimmed, scaled down, padded to 4:3 and converted by"
    echo "\`samples/make_pictures.sh\`."
    echo
    echo "| File | Original file in openclipart-png (under /usr/share/openclipart/png/) |"
    echo "| --- | --- |"
    for entry in "${pictures[@]}"; do
        read -r name src <<<"$entry"
        echo "| $name | $src |"
    done
} >"$credits"

echo "wrote ${#pictures[@]} pictures and CREDITS.md to $out"
