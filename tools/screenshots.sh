#!/bin/bash
# Pictures of every window and dialog in both languages at the screen sizes in use, each on a
# virtual screen of its own (Xvfb) at its scale:
#   tools/screenshots.sh [BUILD_FOLDER] [OUT_FOLDER]
# writes OUT_FOLDER/<width>x<height>@<percent>-<language>/<window>.png.
set -euo pipefail
build=${1:-build/default}
out=${2:-screenshots}
for screen in 1024x768@100 1366x768@125 1920x1080@150 2560x1440@200; do
    size=${screen%@*}
    percent=${screen#*@}
    scale=$(printf '%d.%02d' $((percent / 100)) $((percent % 100)))
    for language in ja en; do
        folder="$out/$screen-$language"
        mkdir -p "$folder"
        QT_SCALE_FACTOR=$scale xvfb-run -a -s "-screen 0 ${size}x24" \
            "$build/app/torbex-screenshots" --lang "$language" "$folder" > /dev/null
        echo "$folder: $(ls "$folder" | wc -l) pictures"
    done
done
