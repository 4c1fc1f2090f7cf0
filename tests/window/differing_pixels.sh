#!/usr/bin/env bash
# Prints how many pixels of a screenshot's picture differ from the core's figure drawn at
# the picture's size.
#
#   differing_pixels.sh FIGURE_IMAGE SHOT GEOMETRY    GEOMETRY as WxH+X+Y, in device pixels
set -euo pipefail
figure_image=$1
shot=$2
geometry=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$figure_image" $(tr x ' ' <<<"${geometry%%+*}") >"$work/expected.ppm"
convert "$shot" -crop "$geometry" +repage "$work/shown.png"
# ImageMagick 7 follows the count with its fraction of the picture, "209 (0.000868)".
compare -metric AE -alpha off "$work/shown.png" "$work/expected.ppm" null: 2>&1 | cut -d' ' -f1 || true
