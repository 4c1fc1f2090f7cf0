#!/usr/bin/env bash
# The real program in a real X window at a screen scale, set as QT_SCALE_FACTOR or as the X
# resource Xft.dpi (as desktops set it: 120 is 125 %), 1 unless given: a click on "描画" must
# put exactly the core's figure on the screen, pixel for pixel, filling the device pixels
# that the picture covers, in stages that each reach the screen. Below 1, where Qt's widgets
# cannot be laid out, the window must show at scale 1.
#
#   real_window_test.sh DRAGONFOLD FIGURE_IMAGE SHOWN_UPDATES CONTROL_TABLE [SCALE | xft-dpi=DPI]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/lib/private-xvfb.sh"
. "$here/../../tools/lib/shown-updates.sh"
on_private_xvfb || XVFB_SCREEN=2560x1600x24 run_on_private_xvfb "$0" "$@"

dragonfold=$1
figure_image=$2
shown_updates=$3
control_table=$4
setting=${5:-1}
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work
if [[ "$setting" == xft-dpi=* ]]; then
    dpi=${setting#xft-dpi=}
    echo "Xft.dpi: $dpi" | xrdb -nocpp -merge
    scale=$(awk -v dpi="$dpi" 'BEGIN { print dpi / 96 }')
    "$dragonfold" 2>"$work/stderr" &
else
    scale=$setting
    QT_SCALE_FACTOR=$scale "$dragonfold" 2>"$work/stderr" &
fi
program=$!
trap 'kill "$program" 2>/dev/null || true; rm -rf "$work"' EXIT

window=$("$here/../../tools/lib/wait-for-form1")
eval "$(xdotool getwindowgeometry --shell "$window")"
shown=$(awk -v s="$scale" 'BEGIN { print (s < 1) ? 1 : s }')
read -r width_expected height_expected < <(awk -v s="$shown" 'BEGIN { printf "%d %d\n", int(799 * s + 0.5), int(460 * s + 0.5) }')
[ "$WIDTH" -eq "$width_expected" ] && [ "$HEIGHT" -eq "$height_expected" ] ||
    { echo "inner size ${WIDTH}x$HEIGHT, not ${width_expected}x$height_expected"; exit 1; }
# Nothing drawn yet: the picture is black and its surroundings are not, so the black runs
# through a point well inside it give the device pixels it covers, as the screen shows them.
sleep 0.5
import -window "$window" "$work/before.ppm"
black_run() {  # CROP AXIS_START INSIDE: the start and length of the black run around INSIDE
    convert "$work/before.ppm" -crop "$1" +repage -depth 8 txt:- |
        awk -F'[,: ]+' -v axis="$2" -v inside="$3" '
            NR > 1 { position = (axis == "x") ? $1 : $2; black[position] = ($0 ~ /#000000/) }
            END {
                if (!black[inside]) exit 1
                for (first = inside; black[first - 1]; first--) {}
                for (last = inside; black[last + 1]; last++) {}
                print first, last - first + 1
            }'
}
inside_x=$(awk -v s="$shown" 'BEGIN { printf "%d", 300 * s }')
inside_y=$(awk -v s="$shown" 'BEGIN { printf "%d", 200 * s }')
read -r left width < <(black_run "${WIDTH}x1+0+$inside_y" x "$inside_x")
read -r top height < <(black_run "1x${HEIGHT}+$inside_x+0" y "$inside_y")
echo "at scale $scale ($setting) the picture covers ${width}x$height device pixels from ($left, $top)"

watch_shown_updates "$shown_updates" "$window" "$work/updates"
read -r x y < <("$control_table" Command1)
xdotool mousemove --window "$window" "$(awk -v s="$shown" -v x="$x" 'BEGIN { printf "%d", x * s }')" \
    "$(awk -v s="$shown" -v y="$y" 'BEGIN { printf "%d", y * s }')" click 1
expect_each_stage_shown "$work/updates"

import -window "$window" "$work/shown.ppm"
differing=$("$here/../../tools/lib/differing-pixels" "$figure_image" "$work/shown.ppm" "${width}x$height+$left+$top")
echo "pixels differing from the core's figure: $differing"
[ "$differing" = "0" ]
kill -0 "$program"  # still running, idle, after the drawing
