#!/usr/bin/env bash
# Prints how many pixels of a screenshot's picture differ from the core's figure drawn at
# the picture's size.
#
#   differing_pixels.sh FIGURE_IMAGE SHOT GEOMETRY    GEOMETRY as WxH+X+Y, in device pixels
#
# The pixels are counted here rather than by `compare -metric AE`: from ImageMagick 7.1.2
# on, AE is a sum of distortions, no longer a count of pixels.
set -euo pipefail
figure_image=$1
shot=$2
geometry=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$figure_image" $(tr x ' ' <<<"${geometry%%+*}") >"$work/expected.ppm"
convert "$shot" -crop "$geometry" +repage -alpha off -depth 8 "rgb:$work/shown.rgb"
convert "$work/expected.ppm" -depth 8 "rgb:$work/expected.rgb"
if [[ $(stat -c %s "$work/shown.rgb") != $(stat -c %s "$work/expected.rgb") ]]; then
    echo "none: the shot holds no ${geometry%%+*} picture there"
    exit 0
fi
# cmp numbers differing bytes from 1; three bytes make a pixel.
{ cmp -l "$work/shown.rgb" "$work/expected.rgb" || true; } |
    awk 'BEGIN { last = -1 } { pixel = int(($1 - 1) / 3); if (pixel != last) count++; last = pixel } END { print count + 0 }'
